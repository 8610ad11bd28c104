#include "themes/handdrawn/contact_sheet.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include "themes/handdrawn/artwork.h"

namespace {

constexpr int kLabelWidth = 150;
constexpr int kCell = 80;
constexpr int kTitleHeight = 44;
constexpr int kHeaderHeight = 24;
constexpr int kEnlargement = 4;
constexpr int kOnDarkPixels = 32;

constexpr QRgb kBackground = 0xfff6f3ee;
constexpr QRgb kDark = 0xff3a3632;
constexpr QRgb kLabel = 0xff4a3d33;

QRect Cell(int row, int column) {
    return {kLabelWidth + column * kCell, kTitleHeight + kHeaderHeight + row * kCell, kCell, kCell};
}

QRect ColumnHeader(int column) {
    return {kLabelWidth + column * kCell, kTitleHeight, kCell, kHeaderHeight};
}

QRect RowLabel(int row) {
    return {12, Cell(row, 0).top(), kLabelWidth - 12, kCell};
}

void DrawCentred(QPainter& painter, const QImage& picture, const QRect& cell) {
    painter.drawImage(cell.x() + (cell.width() - picture.width()) / 2,
                      cell.y() + (cell.height() - picture.height()) / 2, picture);
}

}  // namespace

QImage ContactSheet() {
    const int sizes = static_cast<int>(kIconSizes.size());
    const int enlarged = sizes;
    const int onDark = sizes + 1;
    const int rows = static_cast<int>(HanddrawnIcons().size()) + 1;
    QImage sheet(kLabelWidth + (sizes + 2) * kCell, kTitleHeight + kHeaderHeight + rows * kCell,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor::fromRgba(kBackground));
    QPainter painter(&sheet);
    painter.setPen(QColor::fromRgba(kLabel));
    QFont font = painter.font();
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(QRect(12, 0, sheet.width(), kTitleHeight), Qt::AlignVCenter,
                     QStringLiteral("Hand Drawn theme (gfx/handdrawn.zip)"));
    font.setPixelSize(13);
    painter.setFont(font);

    for (int column = 0; column < sizes; ++column) {
        painter.drawText(ColumnHeader(column), Qt::AlignCenter, QString::number(kIconSizes[column]));
    }
    painter.drawText(ColumnHeader(enlarged), Qt::AlignCenter, QString::fromUtf8("16 \u00d7 4"));
    painter.drawText(ColumnHeader(onDark), Qt::AlignCenter, QStringLiteral("32 on dark"));

    int row = 0;
    for (const IconArt& icon : HanddrawnIcons()) {
        painter.drawText(RowLabel(row), Qt::AlignVCenter, QString::fromLatin1(icon.key));
        for (int column = 0; column < sizes; ++column) {
            DrawCentred(painter, DrawPicture(icon.key, icon.draw, kIconSizes[column]), Cell(row, column));
        }
        const QImage small = DrawPicture(icon.key, icon.draw, kIconSizes.front());
        DrawCentred(painter, small.scaled(small.size() * kEnlargement), Cell(row, enlarged));
        painter.fillRect(Cell(row, onDark), QColor::fromRgba(kDark));
        DrawCentred(painter, DrawPicture(icon.key, icon.draw, kOnDarkPixels), Cell(row, onDark));
        ++row;
    }
    painter.drawText(RowLabel(row), Qt::AlignVCenter, QStringLiteral("Buttons"));
    int column = 0;
    for (const ButtonArt& button : HanddrawnButtons()) {
        DrawCentred(painter, DrawPicture(button.key, button.draw, button.pixels), Cell(row, column));
        ++column;
    }
    return sheet;
}
