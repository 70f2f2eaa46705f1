#pragma once

#include <QPointer>
#include <QSpinBox>

#include "ui/Controls.h"

namespace keepgate::qt {

// A QSpinBox as a text field holding its number; "not editable" disables it.
class QtSpinBoxField : public ui::TextField {
  public:
    explicit QtSpinBoxField(QSpinBox* box) : box_(box) {}
    std::string stringValue() const override { return box_ ? std::to_string(box_->value()) : std::string(); }
    void setStringValue(const std::string& text) override {
        if (box_) {
            box_->setValue(QString::fromStdString(text).toInt());
        }
    }
    bool isEditable() const override { return box_ && box_->isEnabled(); }
    void setEditable(bool editable) override {
        if (box_) {
            box_->setEnabled(editable);
        }
    }
    void selectText() override {
        if (box_) {
            box_->selectAll();
            box_->setFocus();
        }
    }
    QSpinBox* widget() const { return box_; }

  private:
    QPointer<QSpinBox> box_;
};

} // namespace keepgate::qt
