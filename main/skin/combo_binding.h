#pragma once

// Shows one of the engine's list models in a combo box and hands the user's
// choices back: the model is the working state, the box only its view.

class ComboModel;
class QComboBox;

void BindCombo(QComboBox *box, ComboModel &model);
