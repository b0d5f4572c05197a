// Windows the main window opens but cannot include: the web-page report uses
// the main window's engines (ranking, roster panes), so its window registers
// its opener here at start and the main window calls it from its menu.
#pragma once

class QWidget;

namespace tenvoll {

class ProgramState;

using ToolWindowOpener = void (*)(ProgramState& state, QWidget* parent);

// 「Webページ出力…」; null until the report window registers itself.
void setReportWindowOpener(ToolWindowOpener opener);
ToolWindowOpener reportWindowOpener();

} // namespace tenvoll
