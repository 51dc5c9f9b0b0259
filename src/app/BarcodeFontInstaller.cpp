#include "app/BarcodeFontInstaller.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/MarrowbyError.h"
#include "platform/Prompter.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw MarrowbyError("Cannot open file " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool SameBytes(const fs::path& file, const std::string& bytes) {
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) != bytes.size()) {
        return false;
    }
    return ReadAll(file) == bytes;
}

// Writes the whole file under a scratch name beside it and renames it into place, so a
// failure never leaves half a font where fontconfig would find it.
void WriteWhole(const fs::path& file, const std::string& bytes) {
    std::string scratch = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX"));
    const int fd = mkstemp(scratch.data());
    if (fd < 0) {
        throw MarrowbyError("Cannot write in " + file.parent_path().string() + ": " +
                            std::strerror(errno));
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    std::string problem;
    if (done != bytes.size()) problem = std::strerror(errno);
    if (close(fd) != 0 && problem.empty()) problem = std::strerror(errno);
    std::error_code error;
    if (problem.empty()) {
        fs::permissions(scratch,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read,
                        error);
        if (!error) fs::rename(scratch, file, error);
        if (error) problem = error.message();
    }
    if (!problem.empty()) {
        fs::remove(scratch, error);
        throw MarrowbyError("Cannot write file " + file.string() + ": " + problem);
    }
}

}  // namespace

const std::vector<BarcodeFont>& BarcodeFonts() {
    static const std::vector<BarcodeFont> fonts = {
        {"MarrowbyPOSTNET.ttf", "Marrowby POSTNET",
         "the POSTNET barcodes that Add Barcodes to a File stores, such as /123456789014/"},
        {"MarrowbyIntelligentMail.ttf", "Marrowby Intelligent Mail",
         "Intelligent Mail barcodes, 65 letters A, D, F and T"},
    };
    return fonts;
}

BarcodeFontInstaller::BarcodeFontInstaller(Prompter& prompter, std::vector<fs::path> sourceFolders,
                                           std::string fcCache)
    : prompter_(prompter), sourceFolders_(std::move(sourceFolders)), fcCache_(std::move(fcCache)) {}

fs::path BarcodeFontInstaller::UserFontFolder() {
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && fs::path(data).is_absolute()) return fs::path(data) / "fonts";
    const char* home = std::getenv("HOME");
    if (home == nullptr || !fs::path(home).is_absolute()) return {};
    return fs::path(home) / ".local" / "share" / "fonts";
}

std::vector<fs::path> BarcodeFontInstaller::DefaultSourceFolders() {
    const fs::path program = QCoreApplication::applicationDirPath().toStdString();
    return {(program / MARROWBY_FONTS_FROM_BINDIR).lexically_normal(), MARROWBY_SOURCE_FONTS};
}

fs::path BarcodeFontInstaller::findSource() const {
    for (const fs::path& folder : sourceFolders_) {
        bool all = true;
        for (const BarcodeFont& font : BarcodeFonts()) {
            std::error_code error;
            all = all && fs::is_regular_file(folder / font.file, error);
        }
        if (all) return folder;
    }
    return {};
}

bool BarcodeFontInstaller::copyFont(const fs::path& from, const fs::path& to) const {
    const std::string bytes = ReadAll(from);
    if (SameBytes(to, bytes)) return false;
    WriteWhole(to, bytes);
    return true;
}

std::string BarcodeFontInstaller::refreshCache(const fs::path& folder) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(fcCache_), {QString::fromStdString(folder.string())});
    if (!process.waitForStarted()) return fcCache_ + " could not be started";
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return fcCache_ + " did not finish";
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return fcCache_ + " failed with status " + std::to_string(process.exitCode());
    }
    return {};
}

void BarcodeFontInstaller::Install() {
    const fs::path source = findSource();
    if (source.empty()) {
        std::string searched;
        for (const fs::path& folder : sourceFolders_) searched += "\n" + folder.string();
        prompter_.message(MessageIcon::Error, MessageBeep::Error,
                          std::string("The barcode fonts ") + BarcodeFonts()[0].file + " and " +
                              BarcodeFonts()[1].file + " are not in any of these folders:" +
                              searched + "\n\nPlease install Marrowby again.",
                          MessageButton::Ok);
        return;
    }
    const fs::path target = UserFontFolder();
    if (target.empty()) {
        prompter_.message(MessageIcon::Error, MessageBeep::Error,
                          "Your font folder is unknown: neither XDG_DATA_HOME nor HOME names "
                          "an absolute folder.",
                          MessageButton::Ok);
        return;
    }
    std::error_code error;
    fs::create_directories(target, error);
    if (error)
        throw MarrowbyError("Cannot create folder " + target.string() + ": " + error.message());

    bool copied = false;
    for (const BarcodeFont& font : BarcodeFonts()) {
        copied = copyFont(source / font.file, target / font.file) || copied;
    }
    const std::string cacheProblem = refreshCache(target);

    std::string text = std::string(copied ? "The barcode fonts are now installed"
                                          : "The barcode fonts were already installed") +
                       " in the folder " + target.string() + ".\n\nIn your word processor choose:";
    const std::string size = std::to_string(kBarcodeFontPoints) + " pt";
    for (const BarcodeFont& font : BarcodeFonts()) {
        text += std::string("\n\"") + font.family + "\" at " + size + " for " + font.use + ";";
    }
    text.back() = '.';
    text +=
        "\n\nThe bars meet the Postal Service's measurements at that size only. If your "
        "word processor is open, start it again so that it lists the new fonts.";
    if (!cacheProblem.empty()) {
        text += "\n\nThe list of fonts could not be refreshed (" + cacheProblem +
                "), so some programs may list the fonts only after you log in again.";
    }
    prompter_.message(cacheProblem.empty() ? MessageIcon::Information : MessageIcon::Warning,
                      MessageBeep::None, text, MessageButton::Ok);
}

}  // namespace marrowby
