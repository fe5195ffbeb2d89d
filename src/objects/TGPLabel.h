#pragma once

#include "objects/TGBaseLabel.h"

// The label with a "Text" entry that edits the caption and a "Rotation"
// submenu; also the live sample of the 3D effects dialog.
class TGPLabel : public TGBaseLabel
{
    Q_OBJECT
public:
    // The tag of the "Text" menu entry (a derived label points it elsewhere).
    static constexpr int TextItemTag = 1000;

    explicit TGPLabel(QObject *owner = nullptr) : TGBaseLabel(owner) {}

    static const TPropertyList &properties() { return TGBaseLabel::properties(); }
    const TPropertyList &StoredProperties() const override { return properties(); }

    bool HasRotationMenu() const
    {
        ObjectMenu();
        return m_hasRotationMenu;
    }

    void RefreshPopup() override;
    void ChooseFont() override;
    // The plain text dialog; on OK the caption takes the text and the box fits it.
    virtual void EditText();

protected:
    // Sets the caption from a dialog's answer and fits the box to it.
    void TakeEditedText(const QString &text);

protected:
    void BuildMenu() override;

private:
    void AppendTextItems();

    bool m_hasRotationMenu = false;
    QList<QAction *> m_rotationItems;
};
