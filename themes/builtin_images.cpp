#include <QString>

#include "themes/image_sets.h"

// The built-in pictures are compiled into the GUI module as Qt resources
// (themes/builtin/builtin_images.qrc): icons/<key>.png at 16 px, buttons/<key>.png, banner.bmp
// and picture.png under ":/builtin/".

namespace {

QImage BuiltinImage(const std::string& path) {
    return QImage(QString::fromStdString(":/builtin/" + path));
}

}  // namespace

const std::vector<std::string>& ButtonKeys() {
    static const std::vector<std::string> keys{"Convert", "InFiles", "InFolder"};
    return keys;
}

const std::vector<std::string>& IconKeys() {
    static const std::vector<std::string> keys{"New",
                                               "Add",
                                               "InFiles",
                                               "InFolder",
                                               "OutFolder",
                                               "OutFormat",
                                               "FavFolder",
                                               "ImportFiles",
                                               "ExportFiles",
                                               "Exit",
                                               "Copy",
                                               "Delete",
                                               "SelectAll",
                                               "Convert",
                                               "Error",
                                               "Preferences",
                                               "CustomConverter",
                                               "Help",
                                               "Email",
                                               "Web",
                                               "Updates",
                                               "About"};
    return keys;
}

void LoadBuiltinImages(ImageSets& images) {
    for (const std::string& key : ButtonKeys()) {
        images.buttons[key] = BuiltinImage("buttons/" + key + ".png");
    }
    for (const std::string& key : IconKeys()) {
        const QImage icon = BuiltinImage("icons/" + key + ".png");
        images.menuIcons[key] = icon;
        images.toolbarIcons[key] = icon;
    }
    images.banner = BuiltinImage("banner.bmp");
    images.picture = BuiltinImage("picture.png");
}

int IconPixels(int uiSize) {
    switch (uiSize) {
        case 1:
            return 24;
        case 2:
            return 32;
        case 3:
            return 48;
        case 4:
            return 64;
        default:
            return 16;
    }
}
