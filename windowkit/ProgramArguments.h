// The command line of the desktop program:
//   tenvoll [FOLDER] [--choose-folder] [--version] [--help]
//           [--screenshot FILE [--player NAME] [--window NAME]]
#pragma once

#include <QString>
#include <QStringList>

namespace tenvoll {

struct ProgramArguments {
    QString folder; // the program folder named on the command line, or empty
    bool chooseFolder = false;
    bool version = false;
    bool help = false;
    QString screenshot; // picture file of --screenshot (see app/main.cpp)
    QString player;
    QString window;
    QString error; // a usage error, in Japanese; empty when the line is fine
};

// `arguments` without the program's own name.
ProgramArguments parseProgramArguments(const QStringList& arguments);

// The usage text of --help and of a usage error.
QString programUsage();

// "tenvoll 1.1.1 (Qt 6.4.2)", printed by --version.
QString programVersionLine();

} // namespace tenvoll
