#pragma once

#include "Ui/RoundedPanelWidget.h"

class QLabel;

// The explanation at the foot of a page: the blue information symbol beside the text, on a faint
// rounded box; unboxed, the row alone, for a form section that frames it already.
class InfoBoxWidget : public RoundedPanelWidget {
    Q_OBJECT

public:
    explicit InfoBoxWidget(const QString &text, QWidget *parent = nullptr, bool boxed = true);

    QLabel *textLabel() const { return text_; }

private:
    QLabel *text_;
};
