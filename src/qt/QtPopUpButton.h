#pragma once

#include <QComboBox>
#include <QPointer>

#include "ui/Controls.h"

namespace keepgate::qt {

// A QComboBox as a pop-up list. A list of the core's own texts (not of names from files) shows them
// translated, while the controller still reads and names its entries in English.
class QtPopUpButton : public ui::PopUpButton {
  public:
    enum class Titles { AsGiven, Translated };
    explicit QtPopUpButton(QComboBox* combo, Titles titles = Titles::AsGiven)
        : combo_(combo), titles_(titles) {}
    void addItemWithTitle(const std::string& title) override;
    void removeItemWithTitle(const std::string& title) override;
    void removeItemAtIndex(int index) override;
    void removeAllItems() override;
    int indexOfSelectedItem() const override { return combo_ ? combo_->currentIndex() : -1; }
    void selectItemAtIndex(int index) override {
        if (combo_) {
            combo_->setCurrentIndex(index);
        }
    }
    std::vector<std::string> itemTitles() const override;
    bool isEnabled() const override { return combo_ && combo_->isEnabled(); }
    void setEnabled(bool enabled) override;
    QComboBox* widget() const { return combo_; }

  private:
    QPointer<QComboBox> combo_;
    Titles titles_;
};

} // namespace keepgate::qt
