// The help viewer: every context, topic and link leads to a page that exists, and
// typing in the index narrows the topics and opens the chosen one.
#include "app/HelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The text of a help page, or of the page a qrc: address or a relative link names.
QString Page(const QString& address) {
    QFile file(":/help/" + QUrl(address).path().section('/', -1));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
}  // namespace

TEST(HelpViewer, ContextsTopicsAndLinksLeadToExistingPages) {
    using namespace HelpContext;
    for (int context : {Contents, OneBarcode, AddBarcodes, Tags, PrinterSetup, Preferences,
                        TagFonts, FieldIdentification, Mailer}) {
        EXPECT_FALSE(Page(HelpPage(context)).isEmpty()) << context;
    }
    EXPECT_EQ(HelpPage(999), HelpPage(Contents));

    HelpViewer viewer;
    for (int i = 0; i < viewer.topics->count(); ++i) {
        const QUrl page = viewer.topics->item(i)->data(Qt::UserRole).toUrl();
        EXPECT_FALSE(Page(page.toString()).isEmpty()) << page.toString().toStdString();
    }

    const QRegularExpression link("href=\"([^\"#]+)(#[^\"]*)?\"");
    for (const QString& page : QDir(":/help").entryList({"*.html"})) {
        for (const QRegularExpressionMatch& match : link.globalMatch(Page(page))) {
            const QString target = Page(match.captured(1));
            const QString anchor = "name=\"" + match.captured(2).mid(1) + "\"";
            EXPECT_TRUE(!target.isEmpty() &&
                        (match.captured(2).isEmpty() || target.contains(anchor)))
                << page.toStdString() << " links to " << match.captured(0).toStdString();
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
    viewer.quit();
    EXPECT_FALSE(viewer.isVisible());
}

TEST(HelpViewer, HelpFromAModalDialogTakesInputAtOnceWhileTheDialogStaysOpen) {
    HelpViewer viewer;
    QDialog dialog;
    auto* typed = new QLineEdit(&dialog);
    bool helpOnTop = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(typed, "123 MAIN ST");
        viewer.showContext(HelpContext::OneBarcode);
        helpOnTop = QApplication::activeModalWidget() == &viewer && viewer.isVisible();
        viewer.quit();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(helpOnTop);
    EXPECT_EQ(typed->text(), "123 MAIN ST");

    viewer.showContext(HelpContext::Contents);  // from the main window: not modal
    EXPECT_EQ(viewer.windowModality(), Qt::NonModal);
}
