// Line ends found at every place within the reader's eight-byte steps, among bytes that
// differ from CR, LF and NUL by a single bit.
#include "mailinglist/text/TextLineReader.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

TEST(TextLineReader, EveryLineEndIsFoundWhereverItFallsAmongLookalikeBytes) {
    const std::string lookalikes = "\x8D\x8A\x80\x0C\x0B\x09\x01\xFF";
    const std::string ends[] = {"\r", "\n", "\r\n", std::string(1, '\0')};
    TempFolder folder;
    for (const std::string& end : ends) {
        for (size_t length = 0; length <= 17; ++length) {
            std::string line;
            for (size_t i = 0; i < length; ++i) line += lookalikes[i % lookalikes.size()];
            TextLineReader reader(folder.write("f.txt", line + end + "next\r\n").string());
            std::string read;
            if (end[0] == '\0') {
                EXPECT_THROW(reader.readLine(read), MarrowbyError) << length;
                continue;
            }
            ASSERT_TRUE(reader.readLine(read)) << length;
            EXPECT_EQ(read, line) << "length " << length << ", end " << int(end[0]);
            ASSERT_TRUE(reader.readLine(read));
            EXPECT_EQ(read, "next") << length;
            EXPECT_FALSE(reader.readLine(read));
        }
    }
}
