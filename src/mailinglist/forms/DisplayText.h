// Bytes of a mailing list as the window shows them: UTF-8 when they are valid UTF-8,
// otherwise Windows-1252, the code page such lists were usually written in.
#pragma once

#include <QString>
#include <string_view>

namespace marrowby {

QString DisplayText(std::string_view bytes);

}  // namespace marrowby
