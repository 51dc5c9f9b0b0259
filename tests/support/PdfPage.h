// Real printing for tests: a US Letter PDF printer with chosen resolution and margins,
// its pages rasterised by pdftoppm at the printer's resolution, and what is on them.
#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPrinter>
#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

namespace marrowby {

class Printout;

// Margins in points (left, top, right, bottom) around the printable area.
void SetUpPdfPrinter(QPrinter& printer, const std::filesystem::path& pdf, int dpi,
                     QMarginsF margins);

// Prints one copy of the printout into the PDF through such a printer and returns the
// printable area it had, in device pixels from the paper's corner.
QRect PrintToPdf(const Printout& printout, const std::filesystem::path& pdf, int dpi,
                 QMarginsF margins);

// Page `page` (from 1) of the PDF in grey at `dpi`, one pixel per device pixel of a printer
// of that resolution, the paper's corner at (0, 0); a null image when there is no such page.
QImage RasterisePdf(const std::filesystem::path& pdf, int dpi, int page = 1);

// The number of pages of the PDF, as pdfinfo reports it.
int PdfPageCount(const std::filesystem::path& pdf);

// The data of the barcodes zbarimg finds on the image, sorted, looking for the
// symbologies named as zbarimg names them ("i25", "code128").
std::vector<std::string> DecodeBarcodes(const QImage& image, const std::filesystem::path& folder,
                                        const QStringList& symbologies = {"i25"});

// For the images RasterisePdf gives.
bool IsInk(const QImage& image, int x, int y);

// The lengths of the alternating ink and blank runs along row y from x0 to x1, starting
// with the first ink; the last run is ink.
std::vector<int> InkRuns(const QImage& image, int y, int x0, int x1);

// The smallest box holding all ink inside the area; empty when there is none.
QRect InkBox(const QImage& image, QRect area);

}  // namespace marrowby
