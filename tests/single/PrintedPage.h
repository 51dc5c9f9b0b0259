// Reads the bars of an envelope barcode back from a printed PDF page.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class QPrinter;

struct PrintedBar {
    double centre;  // in pixels from the paper's left edge
    int top;        // first dark row
    int bottom;     // last dark row
};

// Rasterises the first page at the given resolution with pdftoppm and returns every bar
// standing on the bottom quarter of the page, left to right; empty when it cannot.
std::vector<PrintedBar> BarsOnPage(const std::filesystem::path& pdf, int dpi);

// A letter-size PDF printer at 300 dpi whose printable area starts `margin` points inside
// the paper.
void SetUpLetterPdf(QPrinter& printer, const std::filesystem::path& file, double margin);

// Letter paper at 300 dpi: first bar 4.00 in from the right edge, baseline 0.25 in above
// the bottom edge, 2.75 in from the first bar to the last, one bar per pattern letter.
void ExpectEnvelopeBarsOnPage(const std::filesystem::path& pdf, const std::string& pattern);
