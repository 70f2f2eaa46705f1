#pragma once

#include <QLabel>
#include <QPointer>

#include "ui/Controls.h"

namespace keepgate::qt {

// A read-only strip of text on a QLabel: shown only while it holds text, always as plain text, since it
// repeats lines read from files. It shows the core's text translated and answers the English one.
class QtLabelField : public ui::TextField {
  public:
    explicit QtLabelField(QLabel* label);
    std::string stringValue() const override;
    void setStringValue(const std::string& text) override;
    bool isEditable() const override { return false; }
    void setEditable(bool) override {}
    void selectText() override {}
    QLabel* widget() const { return label_; }

  private:
    QPointer<QLabel> label_;
    std::string text_;
};

} // namespace keepgate::qt
