// The two delivery-point digits derived from a street address, by the Postal
// Service's rule for ordinary addresses and its rule for highrise addresses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowby {

// Last two digits of the primary number or of the box number; "99" when there is none.
std::string OrdinaryDeliveryPoint(std::string_view address);
// Digits of the secondary unit found after a designator word; "99" when there is none.
std::string HighriseDeliveryPoint(const std::string& address,
                                  const std::vector<std::string>& designators);
// A four-digit unit number folded into two digits.
std::string ReduceFourDigits(const std::string& fourDigits);
// The number that stands for a letter in unit texts: A 1 ... I 9, J 0, K 21 ... T 30, U 41 ...
// Z 46.
int LetterCode(char letter);

}  // namespace marrowby
