// The OK and キャンセル buttons of the program's small dialogs: OK is the
// default button and runs the dialog's accept(), which may keep it open.
#pragma once

class QDialog;
class QDialogButtonBox;

QDialogButtonBox* OkCancelButtons(QDialog* dialog);
