// File > Export Image...: the plot as the user sees it, written as a PNG
// picture or an SVG drawing (lines stay lines when scaled in a report). The
// format follows the file's extension.
#ifndef ZW_UI_PLOTIMAGEEXPORT_H
#define ZW_UI_PLOTIMAGEEXPORT_H

#include <QSize>
#include <QString>

#include <functional>
#include <utility>

class QPainter;

namespace zw {

struct EditorContext;

// Draws the plot into a painter of the given size.
using PlotPaint = std::function<void(QPainter& painter, QSize size)>;

// Writes the image; empty on success, else the system's reason.
QString WritePlotImage(const QString& path, QSize size, const PlotPaint& paint);

class PlotImageExport {
public:
    PlotImageExport(EditorContext& context, PlotPaint paint)
        : ctx_(context), paint_(std::move(paint)) {}

    // Asks for the file (proposed beside the wave file, as PNG), writes the
    // view at `size`; a failure is shown with the file and the reason.
    void run(QSize size);

private:
    EditorContext& ctx_;
    PlotPaint paint_;
};

} // namespace zw

#endif // ZW_UI_PLOTIMAGEEXPORT_H
