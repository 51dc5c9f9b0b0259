// Real printing for tests: a US Letter PDF printer with chosen resolution and margins,
// its pages rasterised by pdftoppm at the printer's resolution, and what is on them.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Printout.h"
#include "platform/QtPrintSurface.h"

namespace marrowby {

// Margins in points (left, top, right, bottom) around the printable area.
inline void SetUpPdfPrinter(QPrinter& printer, const std::filesystem::path& pdf, int dpi,
                            QMarginsF margins) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(margins, QPageLayout::Point);
}

// Prints one copy of the printout into the PDF through such a printer and returns the
// printable area it had, in device pixels from the paper's corner.
inline QRect PrintToPdf(const Printout& printout, const std::filesystem::path& pdf, int dpi,
                        QMarginsF margins) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, pdf, dpi, margins);
    QtPrintSurface surface(printer);
    PrintJobs(surface, printout, 1);
    const DevicePoint offset = surface.printingOffset();
    return {offset.x, offset.y, surface.printableWidth(), surface.printableHeight()};
}

// Page `page` (from 1) of the PDF in grey at `dpi`, one pixel per device pixel of a printer
// of that resolution, the paper's corner at (0, 0); a null image when there is no such page.
inline QImage RasterisePdf(const std::filesystem::path& pdf, int dpi, int page = 1) {
    const QString prefix =
        QString::fromStdString((pdf.parent_path() / ("page" + std::to_string(page))).string());
    const QString number = QString::number(page);
    QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-gray", "-singlefile", "-f", number,
                                   "-l", number, QString::fromStdString(pdf.string()), prefix});
    // A letter page at 600 dpi is larger than Qt reads by default.
    QImageReader::setAllocationLimit(0);
    return QImage(prefix + ".pgm").convertToFormat(QImage::Format_Grayscale8);
}

// The number of pages of the PDF, as pdfinfo reports it.
inline int PdfPageCount(const std::filesystem::path& pdf) {
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf.string())});
    info.waitForFinished();
    for (const QByteArray& line : info.readAllStandardOutput().split('\n')) {
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    }
    return 0;
}

// The data of the barcodes zbarimg finds on the image, sorted, looking for the
// symbologies named as zbarimg names them ("i25", "code128").
inline std::vector<std::string> DecodeBarcodes(const QImage& image,
                                               const std::filesystem::path& folder,
                                               const QStringList& symbologies = {"i25"}) {
    const QString file = QString::fromStdString((folder / "decode.png").string());
    image.save(file);
    QStringList arguments = {"--quiet", "--raw", "-Sdisable"};
    for (const QString& symbology : symbologies) arguments << "-S" + symbology + ".enable";
    arguments << file;
    QProcess zbar;
    zbar.start("zbarimg", arguments);
    zbar.waitForFinished();
    std::vector<std::string> found;
    for (const QByteArray& line : zbar.readAllStandardOutput().split('\n')) {
        if (!line.isEmpty()) found.push_back(line.toStdString());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// For the images RasterisePdf gives: 8-bit grey, read a row at a time (a 600 dpi page has
// 33 million pixels).
inline bool IsInk(const QImage& image, int x, int y) { return image.constScanLine(y)[x] < 128; }

// The lengths of the alternating ink and blank runs along row y from x0 to x1, starting
// with the first ink; the last run is ink.
inline std::vector<int> InkRuns(const QImage& image, int y, int x0, int x1) {
    std::vector<int> runs;
    bool ink = false;
    for (int x = x0; x <= x1; ++x) {
        const bool here = IsInk(image, x, y);
        if (runs.empty() && !here) continue;
        if (runs.empty() || here != ink) runs.push_back(0);
        ink = here;
        ++runs.back();
    }
    if (!runs.empty() && !ink) runs.pop_back();
    return runs;
}

// The smallest box holding all ink inside the area; empty when there is none.
inline QRect InkBox(const QImage& image, QRect area) {
    QRect box;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* row = image.constScanLine(y);
        int first = -1, last = -1;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (row[x] >= 128) continue;
            if (first < 0) first = x;
            last = x;
        }
        if (first >= 0) box |= QRect(first, y, last - first + 1, 1);
    }
    return box;
}

}  // namespace marrowby
