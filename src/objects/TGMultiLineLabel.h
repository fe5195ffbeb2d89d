#pragma once

#include "objects/TGMultiLineBaseLabel.h"

// The multi-line text the tool puts on the card: adds text editing and the
// word-wrap switch to its menu.
class TGMultiLineLabel : public TGMultiLineBaseLabel
{
    Q_OBJECT
public:
    explicit TGMultiLineLabel(QObject *owner = nullptr) : TGMultiLineBaseLabel(owner) {}

    static const TPropertyList &properties() { return TGMultiLineBaseLabel::properties(); }
    const TPropertyList &StoredProperties() const override { return properties(); }

    QAction *WordWrapItem() const
    {
        ObjectMenu();
        return m_wordWrapItem;
    }

    // "Text": the editor with the label's font and lines; a change on "Ok".
    void EditLines();

    void RefreshPopup() override;

protected:
    void BuildMenu() override;

private:
    QAction *m_wordWrapItem = nullptr;
};
