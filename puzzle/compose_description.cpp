// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/t_form.h"

#include "draw/description_view.h"
#include "puzzle/description_pieces.h"

void T_Form::ComposeDescription(int phrase)
{
    const int level = ps.N_Level;
    rve_Text->Clear();
    if (isPictureLevel(level)) {
        for (const DescriptionPiece& piece : pictureDescription(level, phrase, ps.TElement, itemLines())) {
            if (piece.kind == DescriptionPiece::Picture) {
                // i_Text is only the drawing surface; the view keeps a copy of its own.
                DrawPictogram(piece.pictureNumber);
                rve_Text->InsertPicture(QString(), i_Text->bitmap());
            } else if (piece.style != DescriptionView::NormalText) {
                rve_Text->CurTextStyleNo(piece.style);
                rve_Text->InsertText(piece.text);
                rve_Text->CurTextStyleNo(DescriptionView::NormalText);
            } else {
                rve_Text->InsertText(piece.text);
            }
        }
    } else {
        rve_Text->Add(wordDescription(level, phrase, ps.TElement, itemLines()), DescriptionView::NormalText);
    }
    rve_Text->Format();
}
