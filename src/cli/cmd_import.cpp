#include <iostream>

#include "command.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "composition/report_import.h"
#include "composition/streams.h"

namespace rw::cli {
namespace {

int Import(Invocation& inv) {
    std::string streamText = TakeOption(inv.args, "--stream");
    std::string out = TakeOption(inv.args, "--out");
    if (streamText != "1" && streamText != "2" && streamText != "3") throw UsageError{"--stream: 1, 2 или 3"};
    const int stream = streamText[0] - '0';
    std::string report;
    if (!inv.args.empty()) {
        report = inv.args[0];
        inv.args.erase(inv.args.begin());
    } else {
        // Without a report the action opens its default sample, as the
        // editor does: the feed sample for the feed, else the catalyzate's.
        report = DefaultReportFile(inv.base, stream == 1 ? OpenStarter::NextButton : OpenStarter::Other);
    }
    if (!inv.args.empty()) throw UsageError{"лишний аргумент «" + inv.args[0] + "»"};
    if (out.empty()) out = ReplaceExtension(report, StreamExtension(stream));

    OpenedList list = OpenComponentList(report, stream);
    // The tidied list is what the editor holds, also when a value is not a
    // number (the editor keeps it loaded); the sum is then not shown.
    WriteFileAtomic(out, JoinLinesCrLf(list.lines));
    if (list.skippedLines > 0) std::cerr << SkippedLinesNote(list.skippedLines) << "\n";
    if (!list.sumValid) throw UserError(list.sumError);
    std::cout << FormatFixed(list.sum, 0, 3) << "\n";
    return 0;
}

const CommandRegistrar reg(
    "import", "import [REPORT] --stream 1|2|3 [--out FILE]",
    "Загружает отчет хроматографа (.DHA, .TXT) или список компонентов, как \"Открыть\" редактора списка: "
    "отчет преобразуется в список рядом с ним, приведенный список записывается в FILE (по умолчанию: REPORT "
    "с расширением потока) и выводится сумма. Без REPORT загружается пример потока.",
    Import);

}  // namespace
}  // namespace rw::cli
