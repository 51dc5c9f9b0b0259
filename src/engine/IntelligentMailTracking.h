// The tracking code of an Intelligent Mail barcode: who mails (barcode identifier,
// service type, mailer ID) and the serial number that makes each piece unique.
#pragma once

#include <string>

struct MailerIdentity {
    std::string barcodeId = "00";  // two digits, the second 0 to 4
    std::string serviceType;       // three digits
    std::string mailerId;          // six digits starting 0-8, or nine starting with 9
};

// Empty when the value is acceptable, otherwise a sentence saying what it must be.
std::string MailerIdProblem(const std::string& mailerId);
std::string ServiceTypeProblem(const std::string& serviceType);
std::string BarcodeIdProblem(const std::string& barcodeId);
// The first problem of the three, in that order; empty when the identity can be used.
std::string IdentityProblem(const MailerIdentity& identity);

// Mailer ID and serial together take 15 digits: a six-digit mailer ID leaves nine for
// the serial, a nine-digit one six. The mailer ID must be valid.
unsigned long long LargestSerial(const std::string& mailerId);

// The 20 digits; throws MarrowbyError for an unusable identity or a serial too large.
std::string TrackingCode(const MailerIdentity& identity, unsigned long long serial);

// Hands out consecutive serial numbers and codes one barcode with each.
class SerialIssuer {
  public:
    // Throws MarrowbyError when the identity cannot be used or next is past the largest.
    SerialIssuer(MailerIdentity identity, unsigned long long next);

    // Throws MarrowbyError, naming the largest serial, when count more barcodes would
    // pass it; nothing is handed out then.
    void requireRoomFor(unsigned long long count) const;
    // The 65 bar letters for the routing code, with the next serial, which then advances.
    std::string issue(const std::string& routing);
    unsigned long long next() const { return next_; }

  private:
    MailerIdentity identity_;
    unsigned long long next_;
};
