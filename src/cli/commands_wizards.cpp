// Commands of the "DYN_ROOT", "NTFS bbs" and "Fat32 bbs" pages, and the
// hexadecimal conversion they read Patch's values with.
#include "cli/command.h"
#include "core/wizards/bbs.h"
#include "core/wizards/dynroot.h"
#include "core/wizards/hexvalue.h"

namespace quorvane::cli {

namespace {

using core::Workspace;

// `hex TEXT`: the value HexToDec gives, or its refusal.
Command hexCommand() {
    Command command;
    command.name = "hex";
    command.synopsis = "TEXT";
    command.summary = "the decimal value of hexadecimal digits as Patch shows them";
    command.minArguments = 1;
    command.maxArguments = 1;
    command.run = [](const Arguments& arguments, Context& context) {
        Workspace w;
        std::string text = arguments.positional.front();
        const core::HexConversion conversion =
            core::hexToDec(text, w.dynrootState.hexvalue, "the value");
        core::Outcome outcome;
        if (conversion.accepted) {
            w.report = core::decimalText(conversion.value, context.format);
        } else {
            outcome.failure = core::kTypeMismatch;
        }
        if (conversion.message) outcome.messages.push_back(*conversion.message);
        return finish(context, w, outcome, {});
    };
    return command;
}

Printed stateValue(std::string_view name, double core::DynRootState::*member) {
    return {name, [member](const Workspace& w) {
                return core::decimalText(w.dynrootState.*member, core::NumberFormat::point());
            }};
}

// `dynroot`: "Calculate root", and with a start cluster "Calculate" after
// it, as the report box shows them one after the other.
Command dynRootCommand() {
    Command command = operationCommand(
        "dynroot",
        "where the root directory lies (\"Calculate root\"); with --dynrootstart, the copy "
        "(\"Calculate\")",
        {
            {"sectcluster", "HEX", "sectors per cluster, in hexadecimal as Patch shows it"},
            {"rsvdsects", "HEX", "reserved sectors; 1 when not given"},
            {"numfats", "HEX", "number of FATs; 2 when not given"},
            {"direntries", "HEX", "root directory entries"},
            {"sectfat", "HEX", "sectors per FAT"},
            {"dynrootstart", "HEX", "start cluster of DYN_ROOT"},
        },
        {}, {}, {});
    command.run = [](const Arguments& arguments, Context& context) {
        Workspace w;
        fillFields(arguments, core::dynRootTextFields(), w.dynroot);
        core::Outcome outcome =
            core::calculateRoot(w.dynroot, w.dynrootState, w.report, context.format);
        if (outcome.completed() && arguments.value("dynrootstart")) {
            core::Outcome copy =
                core::calculateCopy(w.dynroot, w.dynrootState, w.report, context.format);
            outcome.failure = copy.failure;
            outcome.messages.insert(outcome.messages.end(), copy.messages.begin(),
                                    copy.messages.end());
        }
        const Printed printed[] = {
            stateValue("rootstart", &core::DynRootState::rootstart),
            stateValue("rootend", &core::DynRootState::rootend),
            stateValue("rootspan", &core::DynRootState::rootspan),
            stateValue("clustsects", &core::DynRootState::clustsects),
        };
        return finish(context, w, outcome, printed);
    };
    return command;
}

}  // namespace

void addWizardCommands(std::vector<Command>& commands) {
    commands.push_back(hexCommand());
    commands.push_back(textCommand("dynroot-start",
                                   "the \"Start wizard\" text of the \"DYN_ROOT\" page",
                                   core::dynRootStartText));
    commands.push_back(dynRootCommand());
    commands.push_back(pageCommand(
        "ntfs-bbs", "how to copy an NTFS partition's backup boot sector back (\"NTFS bbs\")",
        {{"ntfsstartsector", "SECTOR", "the partition's start sector, from a partinfo"},
         {"ntfsnumbersectors", "COUNT", "its number of sectors"}},
        core::ntfsBbsTextFields(), &Workspace::ntfsbbs,
        core::pageCalculation(&Workspace::ntfsbbs, core::calculateNtfsBbs)));
    commands.push_back(textCommand("ntfs-bbs-info",
                                   "the \"Display info\" text of the \"NTFS bbs\" page",
                                   core::ntfsBbsInfoText));
    commands.push_back(pageCommand(
        "fat32-bbs", "how to copy a FAT32 partition's backup boot sector back (\"Fat32 bbs\")",
        {{"startsct", "SECTOR", "the partition's start sector, from a partinfo"}},
        core::fat32BbsTextFields(), &Workspace::fat32bbs,
        core::pageCalculation(&Workspace::fat32bbs, core::calculateFat32Bbs)));
    commands.push_back(textCommand("fat32-bbs-info",
                                   "the \"Display info\" text of the \"Fat32 bbs\" page",
                                   core::fat32BbsInfoText));
}

}  // namespace quorvane::cli
