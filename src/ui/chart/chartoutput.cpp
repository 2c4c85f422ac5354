#include "ui/chart/chartoutput.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

#include "ui/chart/chartview.h"

namespace kinhom {

namespace {

constexpr double kPixelsPerCm = 96.0 / 2.54;

bool Fail(QString* error, const QString& text)
{
    if (error) *error = text;
    return false;
}

bool SizeOk(double widthCm, double heightCm)
{
    return std::isfinite(widthCm) && std::isfinite(heightCm) && widthCm > 0 && heightCm > 0 && widthCm <= 500 &&
           heightCm <= 500;
}

} // namespace

void PaintChartOnPage(const ChartView& view, QPainter& p, int dpi, double leftCm, double topCm, double widthCm,
                      double heightCm)
{
    const double perCm = dpi / 2.54;
    p.save();
    p.translate(leftCm * perCm, topCm * perCm);
    p.scale(dpi / 96.0, dpi / 96.0);
    view.paint(p, QRectF(0, 0, widthCm * kPixelsPerCm, heightCm * kPixelsPerCm));
    p.restore();
}

bool SaveChartImage(const ChartView& view, const QString& path, const QSize& size, QString* error)
{
    if (size.width() < 1 || size.height() < 1 || size.width() > 20000 || size.height() > 20000)
        return Fail(error, QStringLiteral("The image size must lie between 1 x 1 and 20000 x 20000 pixels."));
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext != "png" && ext != "bmp" && ext != "svg")
        return Fail(error, QStringLiteral("\"%1\": images can be saved as .png, .bmp or .svg files.").arg(path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()));

    if (ext == "svg") {
        QSvgGenerator gen;
        gen.setOutputDevice(&file);
        gen.setSize(size);
        gen.setViewBox(QRect(QPoint(0, 0), size));
        gen.setResolution(96);
        gen.setTitle(QStringLiteral("KINHOM-3 diagram"));
        QPainter p;
        if (!p.begin(&gen)) {
            file.cancelWriting();
            return Fail(error, QStringLiteral("\"%1\": the drawing could not be started.").arg(path));
        }
        view.paint(p, QRectF(0, 0, size.width(), size.height()));
        p.end();
    } else {
        QImage img = view.renderImage(size);
        if (ext == "bmp") img = img.convertToFormat(QImage::Format_RGB32);
        if (!img.save(&file, ext == "png" ? "PNG" : "BMP")) {
            file.cancelWriting();
            return Fail(error, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()));
        }
    }
    if (!file.commit()) return Fail(error, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()));
    return true;
}

bool SaveChartPdf(const ChartView& view, const QString& path, double widthCm, double heightCm, QString* error)
{
    if (!SizeOk(widthCm, heightCm))
        return Fail(error, QStringLiteral("The width and height of the diagram must be positive (at most 500 cm)."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()));
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("KINHOM-3"));
        pdf.setTitle(QStringLiteral("KINHOM-3 diagram"));
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(widthCm * 10, heightCm * 10), QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter p;
        if (!p.begin(&pdf)) {
            file.cancelWriting();
            return Fail(error, QStringLiteral("\"%1\": the PDF could not be started.").arg(path));
        }
        PaintChartOnPage(view, p, pdf.resolution(), 0, 0, widthCm, heightCm);
        p.end();
    }
    if (!file.commit()) return Fail(error, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()));
    return true;
}

bool PrintChart(const ChartView& view, QPrinter& printer, double leftCm, double topCm, double widthCm, double heightCm,
                QString* error)
{
    if (!SizeOk(widthCm, heightCm))
        return Fail(error, QStringLiteral("The width and height of the diagram must be positive (at most 500 cm)."));
    if (!std::isfinite(leftCm) || !std::isfinite(topCm) || leftCm < 0 || topCm < 0)
        return Fail(error, QStringLiteral("The position of the diagram on the page must not be negative."));
    printer.setFullPage(true);
    const int dpi = printer.resolution();
    const QRect paper = printer.pageLayout().fullRectPixels(dpi);
    const double paperWcm = paper.width() * 2.54 / dpi;
    const double paperHcm = paper.height() * 2.54 / dpi;
    if (leftCm >= paperWcm || topCm >= paperHcm)
        return Fail(error, QStringLiteral("The diagram lies outside the paper (%1 x %2 cm).")
                               .arg(paperWcm, 0, 'f', 1)
                               .arg(paperHcm, 0, 'f', 1));
    QPainter p;
    if (!p.begin(&printer)) return Fail(error, QStringLiteral("The printer could not be started."));
    PaintChartOnPage(view, p, dpi, leftCm, topCm, widthCm, heightCm);
    if (!p.end()) return Fail(error, QStringLiteral("The printout could not be finished."));
    return true;
}

} // namespace kinhom
