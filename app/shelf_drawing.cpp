// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/t_form.h"

#include "content/item_list.h"
#include "content/picture_archive.h"
#include "draw/description_view.h"
#include "draw/tile_drawing.h"
#include "puzzle/description_pieces.h"

// The tiles of the shelves and of the description's pictograms, drawn from
// the archive onto the slot images, and the description composed into the
// description view from the pieces the game made of it.

#include <vector>

namespace {

// The slot images of one shelf, slot tags 1 .. count, in one pass over the
// window's components: every image whose parent is a panel tagged
// `shelfTag` takes its slot, so when two match the one made last wins.
// Slots nobody fills stay null.
std::vector<ImageControl*> slotImagesOf(const QObject& form, int shelfTag, int count)
{
    std::vector<ImageControl*> slotImages(size_t(qMax(0, count)), nullptr);
    for (ImageControl* image : form.findChildren<ImageControl*>()) {
        const auto* panel = qobject_cast<const Panel*>(image->parent());
        if (!panel || tagOf(panel) != shelfTag)
            continue;
        const int slot = tagOf(image);
        if (slot >= 1 && slot <= count)
            slotImages[size_t(slot - 1)] = image;
    }
    return slotImages;
}

}  // namespace

ImageControl* T_Form::FindSlotImage(int shelf, int slotTag)
{
    ImageControl* found = slotTag >= 1 ? slotImagesOf(*this, ps.T_Level + shelf, slotTag).back() : nullptr;
    return found ? found : control<ImageControl>(QStringLiteral("i_0_0"));
}

void T_Form::DrawShelf(int shelf)
{
    if (shelf < 0 || shelf >= int(ps.T_Pic_Self.size()))
        return;
    const int size = TileLook::shelfTileSize(ps.N_Level);
    const int slotCount = TileLook::tilesPerShelf(ps.N_Level);
    const QPen pen = TileLook::outlinePen();
    const QBrush mark = highContrastOn ? TileLook::contrastMarkBrush() : TileLook::markBrush();
    const QColor frame = QColor::fromRgba(TileLook::ShelfFrameColour);
    const R_Self& record = ps.T_Pic_Self[size_t(shelf)];
    // Looked up once for the whole shelf: nothing moves while it is drawn.
    std::vector<ImageControl*> slotImages = slotImagesOf(*this, ps.T_Level + shelf, slotCount);
    ImageControl* const fallback = control<ImageControl>(QStringLiteral("i_0_0"));
    // The frame is the same on every tile of the shelf: drawn once per call.
    QImage frameLayer;
    for (int k = 0; k < slotCount; ++k) {
        ImageControl* image = slotImages[size_t(k)] ? slotImages[size_t(k)] : fallback;
        // One archive load per tile, nothing kept: an error stops the
        // drawing here and leaves the tiles drawn so far as they are.
        const int number = pictureNumberOf(record.Pict.mid(k * 5, 5));
        QString name;
        const QImage picture = LoadArchivePicture(ps.Base_B, number, name);
        if (!image)
            continue;
        QImage& bitmap = image->bitmap();
        if (frameLayer.size() != bitmap.size())
            frameLayer = TileFrameLayer(bitmap.size(), size, frame, bitmap.devicePixelRatio());
        DrawTile(bitmap, picture, size, record.Mode == 1, frameLayer, pen, mark);
        image->refresh();
    }
}

void T_Form::DrawPictogram(int pictureNumber)
{
    const QPen pen = TileLook::outlinePen();
    QString name;
    const QImage picture = LoadArchivePicture(ps.Base_B, pictureNumber, name);
    DrawTile(i_Text->bitmap(), picture, TileLook::PictogramSize, false,
             QColor::fromRgba(TileLook::PictogramFrameColour), pen, TileLook::markBrush());
    i_Text->refresh();
}

void T_Form::writeDescription(DescriptionView& view, const QList<DescriptionPiece>& pieces,
                              const std::function<QImage(int pictureNumber)>& pictogram)
{
    for (const DescriptionPiece& piece : pieces) {
        if (piece.kind == DescriptionPiece::Picture) {
            view.InsertPicture(QString(), pictogram(piece.pictureNumber));
        } else if (piece.style != DescriptionView::NormalText) {
            view.CurTextStyleNo(piece.style);
            view.InsertText(piece.text);
            view.CurTextStyleNo(DescriptionView::NormalText);
        } else {
            view.InsertText(piece.text);
        }
    }
}

void T_Form::ComposeDescription()
{
    rve_Text->Clear();
    rve_Text->setHighContrast(highContrastOn, descriptionTextSize());
    if (isPictureLevel(ps.N_Level)) {
        // i_Text is only the drawing surface; the view keeps a copy of its own.
        writeDescription(*rve_Text, game.descriptionPieces(), [this](int pictureNumber) {
            DrawPictogram(pictureNumber);
            return i_Text->bitmap();
        });
    } else {
        rve_Text->Add(game.descriptionWords(), DescriptionView::NormalText);
    }
    rve_Text->Format();
}
