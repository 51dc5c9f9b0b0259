// Requests to the program's help viewer. Forms in every folder take a HelpRequests&
// from the application and open their own page with F1.
#pragma once

class QWidget;

// Help contexts: the page a context number opens.
namespace HelpContext {
constexpr int Contents = 1;              // main window and "Contents"
constexpr int OneBarcode = 2;            // one barcode at a time
constexpr int AddBarcodes = 3;           // adding barcodes to a mailing-list file
constexpr int Tags = 4;                  // tray and sack tags
constexpr int PrinterSetup = 5;          // choosing the printer
constexpr int Preferences = 7;           // preferences dialog and tag font dialog
constexpr int TagFonts = 8;              // the tag font page itself
constexpr int Mailer = 9;                // mailer settings and the choice of barcode
constexpr int FieldIdentification = 20;  // field identification dialog
}  // namespace HelpContext

class HelpRequests {
  public:
    virtual ~HelpRequests() = default;

    // Shows the page of a help context; an unknown context shows the contents.
    virtual void showContext(int context) = 0;
    // Shows the topic index with its search box.
    virtual void showIndex() = 0;
    // Closes the help viewer.
    virtual void quit() = 0;
};

// Makes F1 anywhere in the form's window show the help context.
void AddHelpKey(QWidget& form, HelpRequests& help, int context);
