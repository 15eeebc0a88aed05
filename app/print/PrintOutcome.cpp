#include "PrintOutcome.h"

#include "CaptionCatalog.h"

namespace zw {

QString PrintOutcomeText(PrintOutcome outcome, const CaptionCatalog& catalog,
                         const QString& printerName, const QString& fileName) {
    auto text = [&](const char* key) {
        return catalog.caption(u"PrintDialog", QString::fromLatin1(key));
    };
    switch (outcome) {
    case PrintOutcome::NoRoom:
        return text("Msg:NoRoom");
    case PrintOutcome::PrinterFailed:
        return text("Msg:PrinterFailed") + printerName;
    case PrintOutcome::FileFailed:
        return text("Msg:FileFailed") + fileName;
    case PrintOutcome::Printed:
    case PrintOutcome::NothingToPrint:
        break;
    }
    return {};
}

} // namespace zw
