#include "PrintedPage.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

#include <gtest/gtest.h>

std::vector<PrintedBar> BarsOnPage(const std::filesystem::path& pdf, int dpi) {
    const QString prefix = QString::fromStdString((pdf.parent_path() / "page").string());
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile",
                                QString::fromStdString(pdf.string()), prefix});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_Grayscale8);
    if (page.isNull()) return {};

    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    auto darkColumn = [&](int x) {
        for (int y = page.height() * 3 / 4; y < page.height(); ++y)
            if (dark(x, y)) return true;
        return false;
    };
    std::vector<PrintedBar> bars;
    for (int x = 0; x < page.width(); ++x) {
        if (!darkColumn(x)) continue;
        const int left = x;
        while (x + 1 < page.width() && darkColumn(x + 1)) ++x;
        PrintedBar bar{(left + x + 1) / 2.0, page.height(), -1};
        for (int column = left; column <= x; ++column)
            for (int y = page.height() * 3 / 4; y < page.height(); ++y)
                if (dark(column, y)) {
                    bar.top = std::min(bar.top, y);
                    bar.bottom = std::max(bar.bottom, y);
                }
        bars.push_back(bar);
    }
    return bars;
}

void SetUpLetterPdf(QPrinter& printer, const std::filesystem::path& file, double margin) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
}

void ExpectEnvelopeBarsOnPage(const std::filesystem::path& pdf, const std::string& pattern) {
    const std::vector<PrintedBar> bars = BarsOnPage(pdf, 300);
    ASSERT_EQ(bars.size(), pattern.size());
    ASSERT_FALSE(bars.empty());
    EXPECT_NEAR(2550 - bars.front().centre, 1200, 1);
    // 3.25 points from bar to bar: 2.75 inches over the 61 gaps of a whole barcode.
    EXPECT_NEAR(bars.back().centre - bars.front().centre, (bars.size() - 1) * 3.25 * 300 / 72, 1);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "bar " << i);
        EXPECT_NEAR(3300 - (bars[i].bottom + 1), 75, 1);
        EXPECT_NEAR(bars[i].bottom + 1 - bars[i].top, pattern[i] == 'L' ? 38 : 15, 1);
    }
}
