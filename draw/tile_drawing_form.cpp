#include "app/t_form.h"

#include "content/item_list.h"
#include "content/picture_archive.h"
#include "draw/tile_drawing.h"

ImageControl* T_Form::FindSlotImage(int shelf, int slotTag)
{
    // Slot images are found by their shelf panel's tag and their own; when
    // two match, the one made last wins.
    ImageControl* found = nullptr;
    const int shelfTag = ps.T_Level + shelf;
    for (ImageControl* image : findChildren<ImageControl*>()) {
        const auto* panel = qobject_cast<const Panel*>(image->parent());
        if (panel && tagOf(panel) == shelfTag && tagOf(image) == slotTag)
            found = image;
    }
    return found ? found : control<ImageControl>(QStringLiteral("i_0_0"));
}

void T_Form::DrawShelf(int shelf)
{
    if (shelf < 0 || shelf >= int(ps.T_Pic_Self.size()))
        return;
    const int size = TileLook::shelfTileSize(ps.N_Level);
    const int slotCount = TileLook::tilesPerShelf(ps.N_Level);
    const QPen pen = TileLook::outlinePen();
    const QBrush mark = TileLook::markBrush();
    const R_Self& record = ps.T_Pic_Self[size_t(shelf)];
    for (int k = 0; k < slotCount; ++k) {
        ImageControl* image = FindSlotImage(shelf, k + 1);
        // One archive load per tile, nothing kept: an error stops the
        // drawing here and leaves the tiles drawn so far as they are.
        const int number = pictureNumberOf(record.Pict.mid(k * 5, 5));
        QString name;
        const QImage picture = LoadArchivePicture(ps.Base_B, number, name);
        if (!image)
            continue;
        DrawTile(image->bitmap(), picture, size, record.Mode == 1,
                 QColor::fromRgba(TileLook::ShelfFrameColour), pen, mark);
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
