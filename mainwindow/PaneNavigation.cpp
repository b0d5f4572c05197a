// Team stepping and the same-team choice of the roster panes.
#include "mainwindow/PaneNavigation.h"

#include "league/FileAccess.h"
#include "league/Paths.h"
#include "league/TextCompare.h"

namespace tenvoll {

std::optional<std::string> steppedTeamPath(const Settings& settings, std::string_view league,
                                           std::string_view paneTeamName, Step step) {
    const long long n = settings.registryCount(league);
    if (n <= 0)
        return std::nullopt;
    long long j = 0;
    for (long long i = 0; i < n; ++i) {
        auto f = settings.entryFields(league, i);
        if (!f.empty() && equalsIgnoreCase(f[0], paneTeamName))
            j = i;
    }
    long long k = step == Step::Next ? (j == n - 1 ? 0 : j + 1) : (j == 0 ? n - 1 : j - 1);
    auto f = settings.entryFields(league, k);
    return joinProgramFolder(settings.programFolder(), f.size() > 2 ? f[2] : std::string());
}

SameTeamChoice sameTeamInOtherForm(std::string_view target, std::string_view source) {
    if (target.empty() && source.empty())
        return {};
    if (equalsIgnoreCase(fileNameOf(withoutExtension(target)),
                         fileNameOf(withoutExtension(source))) &&
        equalsIgnoreCase(extensionOf(target), extensionOf(source)))
        return {"", "すでに同じチームが閲覧されています。", false};
    const std::string ext = extensionOf(target);
    if (equalsIgnoreCase(ext, ".txt")) {
        std::string copy = replaceExtension(source, ".tvl");
        if (fileExists(copy))
            return {copy, "", true};
        return {replaceExtension(source, ".txt"), "", true};
    }
    if (equalsIgnoreCase(ext, ".tvl"))
        return {replaceExtension(source, ".txt"), "", true};
    // The target pane shows no team file: nothing to reload, the pane is cleared.
    return {"", target.empty() ? "対象ファイルがありませんでした。" : "error#11", true};
}

} // namespace tenvoll
