#pragma once

// The claim module: preparing an entry screen's boxes, loading a stored claim
// into a screen, the next serial number, and the database halves of the save
// and delete buttons. Every operation reaches the boxes by name, so it serves
// all six screens. Database failures are thrown as DbError.

#include "claim_sql.h"

#include <QString>

namespace tabulon {

class ClaimScreen;

// Input limits, and input methods off, on the header boxes and on the grid
// boxes up to `lastRowIndex` (and the 退職 rows for the kinds that have them).
void SetInputLimits(ClaimScreen& screen, int lastRowIndex);
// Gives the input methods back to the same boxes.
void ResetImeMode(ClaimScreen& screen, int lastRowIndex);

// Fills the screen from the first row of `query` and enables 削除.
void LoadSeikyuu(ClaimScreen& screen, const QString& query, int lastRowIndex);

// The next free serial of a key: the highest stored 連番 plus 1, "1" for none.
QString GetSeikyuuRenban(const QString& nengetu, const QString& bangou, const QString& sinryouka,
                         int kind);

// The 診療科 a save stores: kinds 1 and 2 of a general hospital only, as two digits.
QString SinryoukaForSave(const ClaimScreen& screen);

enum class ClaimSave : int {
    OverLoaded, // in edit mode, over the claim the screen loaded
    AsNew,      // always as a new claim, under the next free serial
};

// Writes the screen's claim (new row, or the row of CurrentClaim in edit
// mode), registers the month and refills the open claim list. After an edit
// the screen's CurrentClaim takes the key that was written, so that a further
// save from the same screen updates the same row. Returns that key.
// An edit writes only while the claim is stored as the screen loaded it:
// throws DbError 3167 when another terminal deleted it and 3197 when another
// terminal changed it, and writes nothing then.
ClaimKey SaveClaim(ClaimScreen& screen, ClaimSave mode = ClaimSave::OverLoaded);

// Deletes the claim of CurrentClaim and refills the open claim list.
void DeleteClaim(const ClaimScreen& screen);

// Refills the open claim list, if there is one (claim_list.cpp).
void SeikyuuListReset();

} // namespace tabulon
