// Draws the hand-drawn theme and writes it as a theme archive for the program's gfx/ folder:
//
//   kivota_make_handdrawn <archive.zip> [<contact-sheet.png>]
//
// With a second argument it also draws every picture onto one labelled sheet, for review.

#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "themes/handdrawn/artwork.h"
#include "themes/handdrawn/contact_sheet.h"
#include "themes/handdrawn/zip_writer.h"

namespace {

// Icon values carry no ".png", so the program picks the file for the size it needs
// (new becomes new_16.png in the menu, new_32.png in a 32-pixel toolbar); button values name
// their file. The [Theme] group comes first: the theme list reads only the file's first 255 bytes.
std::string ThemeCfg() {
    std::string cfg = "[Theme]\r\nName=Hand Drawn\r\n\r\n[Buttons]\r\n";
    for (const ButtonArt& button : HanddrawnButtons()) {
        cfg += std::string(button.key) + "=" + button.file + "\r\n";
    }
    cfg += "\r\n[Icons]\r\n";
    for (const IconArt& icon : HanddrawnIcons()) {
        cfg += std::string(icon.key) + "=" + icon.stem + "\r\n";
    }
    return cfg;
}

std::string PngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::vector<ZipEntry> ThemeEntries() {
    std::vector<ZipEntry> entries = {{"theme.cfg", ThemeCfg()}};
    for (const ButtonArt& button : HanddrawnButtons()) {
        entries.push_back({button.file, PngBytes(DrawPicture(button.key, button.draw, button.pixels))});
    }
    for (const IconArt& icon : HanddrawnIcons()) {
        for (int pixels : kIconSizes) {
            entries.push_back({std::string(icon.stem) + "_" + std::to_string(pixels) + ".png",
                               PngBytes(DrawPicture(icon.key, icon.draw, pixels))});
        }
    }
    return entries;
}

// Written beside the target first, so that a failed run never leaves a partial archive behind.
bool WriteTheme(const std::string& path) {
    const std::string partial = path + ".part";
    std::error_code error;
    if (WriteZip(partial, ThemeEntries())) {
        std::filesystem::rename(partial, path, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(partial, error);
    return false;
}

bool WriteContactSheet(const std::string& path) {
    int argc = 3;
    char name[] = "kivota_make_handdrawn";
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* argv[] = {name, platformOption, platform, nullptr};
    QGuiApplication application(argc, argv);
    return ContactSheet().save(QString::fromStdString(path), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <archive.zip> [<contact-sheet.png>]\n", argv[0]);
        return 2;
    }
    if (!WriteTheme(argv[1])) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    if (argc == 3 && !WriteContactSheet(argv[2])) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
