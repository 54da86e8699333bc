#pragma once

// The check boxes of the DVD rows, kept per view: switching between titles
// and chapters gives each view back the boxes it had.

#include "disc/disc_state.h"

class SourceList;

// Both views forget their check boxes (a new list starts).
void DiscardCheckStates(DiscState &disc);
// Every row checked, and so the current view's states.
void CheckEveryRow(DiscState &disc, SourceList &list);
// Every row and the current view's state of it checked or unchecked; the
// other view's states stay as they were.
void SetEveryCheck(DiscState &disc, SourceList &list, bool checked);
// The rows' check boxes become the current view's states.
void StoreCheckStates(DiscState &disc, const SourceList &list);
// The current view's states onto the rows; a view without states, and rows
// beyond the states it has, get checked rows.
void RestoreCheckStates(DiscState &disc, SourceList &list);
