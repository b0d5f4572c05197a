// tenvoll-batch opening-order: the opening-order window's model without the
// window. The steps are applied in the order given, as the window's drops,
// menus, manager grid and "来期オーダ作成" would apply them; status texts go
// to stdout, the status of a refused step to stderr (exit 1, later steps and
// writes are not run).
#include "app/batch/BatchCommand.h"

#include "export/OpeningOrder.h"
#include "export/OpeningOrderSlots.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Settings.h"
#include "league/TeamFile.h"

#include <algorithm>
#include <ostream>

namespace tenvoll::batch {

namespace {

enum class StepKind { Swap, Take, Rookie, Foreign, Place, Position, Manager, Write, List };

struct Step {
    StepKind kind;
    std::string option;
    std::string text; // the newcomer line, the unsigned player's name, the position code
    int from = 0;     // source slot / manager row
    int to = 0;       // target slot
    std::vector<std::string> values; // manager cells
};

struct Command {
    long long team = -1;
    long long other = -1;
    std::vector<Step> steps;
};

int slotNumber(const std::string& text, const std::string& option) {
    auto v = parseInteger(text);
    if (!v || *v < 0 || *v >= kSlotCount)
        throw UsageError{option + ": slot must be a whole number from 0 to 55: " + text};
    return static_cast<int>(*v);
}

// "A:B" split at the last colon (a player's name may hold none, a slot never does).
std::pair<std::string, std::string> pairOf(const std::string& value, const std::string& option) {
    const auto colon = value.rfind(':');
    if (colon == std::string::npos)
        throw UsageError{option + " needs a value of the form X:Y: " + value};
    return {value.substr(0, colon), value.substr(colon + 1)};
}

std::vector<std::string> commaValues(const std::string& text) {
    std::vector<std::string> values;
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        values.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return values;
        start = comma + 1;
    }
}

Step parseStep(const std::string& option, const std::string& value) {
    Step step{StepKind::List, option, {}, 0, 0, {}};
    if (option == "--swap" || option == "--take") {
        auto [a, b] = pairOf(value, option);
        step.kind = option == "--swap" ? StepKind::Swap : StepKind::Take;
        step.from = slotNumber(a, option);
        step.to = slotNumber(b, option);
    } else if (option == "--rookie" || option == "--foreign") {
        step.kind = option == "--rookie" ? StepKind::Rookie : StepKind::Foreign;
        step.text = value;
    } else if (option == "--place") {
        auto [name, b] = pairOf(value, option);
        step.kind = StepKind::Place;
        step.text = name;
        step.to = slotNumber(b, option);
    } else if (option == "--position") {
        auto [b, code] = pairOf(value, option);
        step.kind = StepKind::Position;
        step.to = slotNumber(b, option);
        if (!isSettablePosition(code))
            throw UsageError{"--position: the code must be 2 … 9, D or -: " + code};
        step.text = code;
    } else if (option == "--manager") {
        const auto colon = value.find(':');
        const std::string row = value.substr(0, colon);
        if (colon == std::string::npos || (row != "1" && row != "2"))
            throw UsageError{"--manager needs R:NAME,A1,…,A9 with R 1 or 2: " + value};
        step.kind = StepKind::Manager;
        step.from = row == "1" ? 0 : 1;
        step.values = commaValues(value.substr(colon + 1));
        if (step.values.size() != static_cast<std::size_t>(kManagerColumns))
            throw UsageError{"--manager needs a name and nine attributes: " + value};
    }
    return step;
}

Command parse(const std::vector<std::string>& args) {
    static const std::vector<std::string> valueSteps{
        "--swap", "--take", "--rookie", "--foreign", "--place", "--position", "--manager"};
    Command command;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--write" || a == "--list") {
            command.steps.push_back(
                {a == "--write" ? StepKind::Write : StepKind::List, a, {}, 0, 0, {}});
            continue;
        }
        const bool team = a == "--team" || a == "--other";
        if (!team && std::find(valueSteps.begin(), valueSteps.end(), a) == valueSteps.end())
            throw UsageError{a.starts_with("--") ? "unknown option: " + a
                                                 : "unexpected argument: " + a};
        if (i + 1 >= args.size())
            throw UsageError{a + " needs a value"};
        const std::string& value = args[++i];
        if (team) {
            auto v = parseInteger(value);
            if (!v || *v < 0)
                throw UsageError{a + " must be a registry index (0 for チーム名0): " + value};
            (a == "--team" ? command.team : command.other) = *v;
            continue;
        }
        command.steps.push_back(parseStep(a, value));
    }
    if (command.team < 0)
        throw UsageError{"--team is required"};
    const bool takes = std::any_of(command.steps.begin(), command.steps.end(),
                                   [](const Step& s) { return s.kind == StepKind::Take; });
    if (takes && command.other < 0)
        throw UsageError{"--take needs --other"};
    return command;
}

LeagueEntry registeredTeam(const std::vector<OrderTeam>& teams, long long index,
                           const std::string& league) {
    for (const OrderTeam& t : teams)
        if (t.index == index)
            return t.entry;
    throw LeagueError("機構「" + league + "」に チーム名" + std::to_string(index) +
                      " が登録されていません。");
}

int unsignedRow(const OpeningOrder& order, const std::string& name) {
    const auto& rows = order.rows(OrderList::Unsigned);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].name == name)
            return static_cast<int>(i);
    throw LeagueError("未契約選手に「" + name + "」はいません。");
}

void printList(std::ostream& out, const OpeningOrder& order) {
    for (OrderList list : {OrderList::Order, OrderList::Unsigned})
        for (const OrderRow& r : order.rows(list))
            out << r.slot << '\t' << r.label << '\t' << r.name << '\t' << r.position << '\t'
                << r.origin << '\n';
}

OrderOutcome apply(OpeningOrder& order, const Step& step, std::ostream& out) {
    switch (step.kind) {
    case StepKind::Swap:
        return order.drop(OrderList::Order, step.from, step.to);
    case StepKind::Take:
        return order.drop(OrderList::Other, step.from, step.to);
    case StepKind::Rookie:
        return order.addNewcomer(NewcomerKind::Rookie, step.text);
    case StepKind::Foreign:
        return order.addNewcomer(NewcomerKind::Foreign, step.text);
    case StepKind::Place:
        return order.drop(OrderList::Unsigned, unsignedRow(order, step.text), step.to);
    case StepKind::Position:
        return order.setPosition(step.to, step.text);
    case StepKind::Manager:
        for (int c = 0; c < kManagerColumns; ++c)
            order.managers().setCell(step.from, c, step.values[static_cast<std::size_t>(c)]);
        return order.checkManagers();
    case StepKind::Write:
        return order.write();
    case StepKind::List:
        printList(out, order);
        return {};
    }
    return {};
}

int openingOrder(BatchContext& c, const std::vector<std::string>& args) {
    const Command command = parse(args);
    Settings settings(c.programFolder);
    settings.load();
    const std::string league = settings.leagueName();
    const std::vector<OrderTeam> teams = orderTeams(settings, league);

    OpeningOrder order(c.programFolder);
    const OpeningOrder::LoadResult loaded =
        order.loadOrderingTeam(registeredTeam(teams, command.team, league));
    if (!loaded.message.empty())
        c.out << loaded.message << "\n";
    if (command.other >= 0)
        order.loadOtherTeam(registeredTeam(teams, command.other, league));

    for (const Step& step : command.steps) {
        const OrderOutcome outcome = apply(order, step, c.out);
        if (!outcome.accepted) {
            c.err << (outcome.status.empty() ? step.option + " は実行できませんでした。"
                                             : outcome.status)
                  << "\n";
            return kFailure;
        }
        if (!outcome.status.empty())
            c.out << outcome.status << "\n";
    }
    return kSuccess;
}

} // namespace

void addOpeningOrderCommands(std::vector<BatchCommand>& table) {
    table.push_back({"opening-order", "--team I [--other J] [STEP ...]",
                     "チーム名I の開幕オーダーを組み来期用ファイル (.tvl) に書き込む。STEP: "
                     "--swap A:B, --take J:B, --rookie LINE, --foreign LINE, --place NAME:B, "
                     "--position B:CODE, --manager R:NAME,A1,...,A9, --write, --list",
                     openingOrder});
}

} // namespace tenvoll::batch
