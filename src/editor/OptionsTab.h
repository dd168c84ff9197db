#pragma once

#include "model/FountainState.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QVBoxLayout;

namespace pluviane {

class EditorWindow;

// The "Oпции" tab: what "Записать+новая группа" adds to the builder's settings
// for the next group, and a few hidden switches of the file commands.
class OptionsTab : public QWidget {
    Q_OBJECT
public:
    OptionsTab(FountainState& state, EditorWindow& editor);

    QScrollBar* sizeIncrement() const { return size_; }         // ScrollBarDobRazm
    QScrollBar* rotationIncrement() const { return rotation_; } // ScrollBarRtAvt
    QScrollBar* countIncrement() const { return count_; }       // ScrollBarKolStr
    QScrollBar* heightIncrement() const { return height_; }     // ScrollBarIzmhi
    QScrollBar* shiftXIncrement() const { return shiftX_; }     // ScrollBarIzmX
    QScrollBar* shiftZIncrement() const { return shiftZ_; }     // ScrollBarIvzmZ

    // Hidden controls.
    QCheckBox* toCentreCheck() const { return toCentre_; } // CheckBoxToCentr
    QCheckBox* cupZeroCheck() const { return cupZero_; }   // CheckBoxCupZero
    QCheckBox* noNameCheck() const { return noName_; }     // CheckBoxNoName
    QLineEdit* nameFileEdit() const { return nameFile_; }  // EditNameFile
    QLabel* nameFileLabel() const { return nameLabel_; }   // LabelNamF

    // The interface language, kept in the settings file for the next start.
    QComboBox* languageBox() const { return language_; }   // ComboBoxLanguage
    QLabel* languageNote() const { return languageNote_; } // LabelLanguageNote, shown after a change

private:
    QScrollBar* addIncrement(QVBoxLayout* layout, const char* name, const char* labelName,
                             const QString& start, const QString& prefix, int minimum, int maximum,
                             int labelFactor, const QString& hint);
    void buildHidden(QVBoxLayout* layout);
    void buildLanguage(QVBoxLayout* layout);
    void ComboBoxLanguageChange();

    FountainState& state_;
    EditorWindow& editor_;
    QScrollBar* size_ = nullptr;
    QScrollBar* rotation_ = nullptr;
    QScrollBar* count_ = nullptr;
    QScrollBar* height_ = nullptr;
    QScrollBar* shiftX_ = nullptr;
    QScrollBar* shiftZ_ = nullptr;
    QCheckBox* toCentre_ = nullptr;
    QCheckBox* cupZero_ = nullptr;
    QCheckBox* noName_ = nullptr;
    QLineEdit* nameFile_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QComboBox* language_ = nullptr;
    QLabel* languageNote_ = nullptr;
};

} // namespace pluviane
