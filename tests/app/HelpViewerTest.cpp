// The help viewer: every context, topic and link leads to a page that exists, and
// typing in the index narrows the topics and opens the chosen one.
#include "app/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// The resource file behind a qrc: address, without its anchor.
QString ResourceOf(const QUrl& page) { return ":" + page.path(); }
}  // namespace

TEST(HelpViewer, ContextsTopicsAndLinksLeadToExistingPages) {
    HelpViewer viewer;
    using namespace HelpContext;
    for (int context : {Contents, OneBarcode, AddBarcodes, Tags, PrinterSetup, Preferences,
                        TagFonts, FieldIdentification}) {
        EXPECT_TRUE(QFile::exists(ResourceOf(QUrl(HelpPage(context))))) << context;
    }
    EXPECT_EQ(HelpPage(Preferences), "qrc:/help/preferences.html");
    EXPECT_EQ(HelpPage(FieldIdentification), "qrc:/help/fields.html");
    EXPECT_EQ(HelpPage(999), HelpPage(Contents));

    for (int i = 0; i < viewer.topics->count(); ++i) {
        const QUrl page = viewer.topics->item(i)->data(Qt::UserRole).toUrl();
        EXPECT_TRUE(QFile::exists(ResourceOf(page))) << page.toString().toStdString();
    }

    const QStringList pages = QDir(":/help").entryList({"*.html"});
    EXPECT_GE(pages.size(), 8);
    const QRegularExpression link("href=\"([^\"#]+)(#[^\"]*)?\"");
    for (const QString& page : pages) {
        QFile file(":/help/" + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            EXPECT_TRUE(QFile::exists(":/help/" + match.captured(1)))
                << page.toStdString() << " links to " << match.captured(1).toStdString();
            if (!match.captured(2).isEmpty()) {
                QFile target(":/help/" + match.captured(1));
                ASSERT_TRUE(target.open(QIODevice::ReadOnly));
                const QString anchor = "name=\"" + match.captured(2).mid(1) + "\"";
                EXPECT_TRUE(QString::fromUtf8(target.readAll()).contains(anchor))
                    << page.toStdString() << " links to " << match.captured(2).toStdString();
            }
        }
    }
}

TEST(HelpViewer, TypingInTheIndexNarrowsTheTopicsAndEnterOpensOne) {
    HelpViewer viewer;
    viewer.showIndex();
    QTest::keyClicks(viewer.search, "fra");
    QStringList shown;
    for (int i = 0; i < viewer.topics->count(); ++i) {
        if (!viewer.topics->item(i)->isHidden()) shown << viewer.topics->item(i)->text();
    }
    EXPECT_EQ(shown, QStringList{"Frame bar"});
    QTest::keyClick(viewer.search, Qt::Key_Return);
    EXPECT_EQ(viewer.pages->source(), QUrl("qrc:/help/preferences.html#framebar"));
    EXPECT_TRUE(viewer.pages->isVisible());
    EXPECT_TRUE(viewer.pages->toPlainText().contains("frame bar"));

    viewer.quit();
    EXPECT_FALSE(viewer.isVisible());
}
