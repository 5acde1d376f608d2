// The checksum command's box: what was summed, and CRC-32, MD5, SHA-1 and
// SHA-256 in read-only fields that can be selected, with a button that
// copies all four lines.
#pragma once

#include "frame/SelectionFacts.h"

#include <QDialog>

class CLumoView;
class QLineEdit;

class CChecksumDialog : public QDialog
{
    Q_OBJECT

public:
    CChecksumDialog(QWidget* parent, const SummedBytes& summed, const ChecksumValues& values);

    // Sums the view's selected bytes, or its whole document without a
    // selection, under the wait cursor, and shows the box.
    static void run(QWidget* parent, CLumoView& view);

    // The field of sum i, in the order of kChecksumNames.
    QLineEdit* field(int i) const { return m_fields[i]; }

private:
    ChecksumValues m_values;
    QLineEdit* m_fields[4] = {};
};
