#include "DocumentNames.h"

#include "TextCodec.h"

namespace zw {

void DocumentNames::setFromWavePath(const QString& path) {
    WaveFileName = path;
    const QString base = path.left(std::max<qsizetype>(path.size() - 4, 0));
    SystemFileName = base;
    TextFileName = base;
    PageFileName = base;
}

QString MainWindowTitle(const DocumentNames& names) {
    return QString(kProgramName) + " <" + DisplayFileName(names.WaveFileName) + ">";
}

} // namespace zw
