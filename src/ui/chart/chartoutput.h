#pragma once
// A chart on paper and in files: PNG, BMP and SVG images, PDF pages and the
// printer. Every output draws through ChartView::paint, so it looks as on screen.
// Files are written completely to a temporary file first and then put in place,
// so a failed write leaves an older file intact.

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QPrinter;

namespace kinhom {

class ChartView;

// Writes the chart as an image of size pixels. The format follows the file's
// extension, in any case: .png, .bmp (raster) or .svg (vector). False, with a
// description in error, for another extension, a size below 1 x 1 or above
// 20000 x 20000 pixels, or a file that cannot be written.
bool SaveChartImage(const ChartView& view, const QString& path, const QSize& size, QString* error = nullptr);

// Writes the chart as a one-page PDF whose page is the chart, widthCm x heightCm.
bool SaveChartPdf(const ChartView& view, const QString& path, double widthCm, double heightCm,
                  QString* error = nullptr);

// Prints the chart on one page of printer, widthCm x heightCm large, its top left
// corner leftCm and topCm from the paper's left and top edges. The printer must
// be set up (printer name or output file) by the caller; this starts and ends
// the print job. False with a description for sizes that are not positive,
// positions that are negative or a chart that lies entirely off the paper.
bool PrintChart(const ChartView& view, QPrinter& printer, double leftCm, double topCm, double widthCm,
                double heightCm, QString* error = nullptr);

// Draws the chart widthCm x heightCm large with its top left corner leftCm and
// topCm from the painter's origin, on a device of dpi dots per inch (what the
// PDF and print outputs do on their pages).
void PaintChartOnPage(const ChartView& view, QPainter& painter, int dpi, double leftCm, double topCm, double widthCm,
                      double heightCm);

} // namespace kinhom
