#pragma once

#include "gui/material_preset.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <string>

class QComboBox;
class QMimeData;
class QPlainTextEdit;
class QWidget;

namespace klankflits
{

// The settings window's lesson material: cmb_material, cmb_order, txt_list,
// "Openen…" and "Opslaan als…", and a .txt file dropped on the window.
//
// A chosen material selects its own order and shows its items in txt_list,
// read-only; the own list makes txt_list take typing, and shows what was typed
// for it before, however often the choice goes back and forth.
class MaterialPanel : public QObject
{
    Q_OBJECT

public:
    // On the window's controls as created_controls() made them.
    MaterialPanel(QWidget* window, const QHash<QString, QWidget*>& controls,
                  const MaterialPreset& preset);

    // What Start hands the session: the keys chosen and txt_list as it stands.
    std::string material_key() const;
    std::string order_key() const;
    std::string list_text() const;

    // The file's text into txt_list as the own list, once the teacher agrees
    // to lose a list typed there; a file that cannot be read is told about
    // and changes nothing.
    void open_file(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void material_chosen();
    void open_clicked();
    void save_clicked();
    void tell(const QString& message);
    // Whether the teacher lets the list from `path` replace the one typed.
    bool replace_asked(const QString& path);
    bool own_list_chosen() const;

    QWidget* window_;
    QComboBox* cmb_material_;
    QComboBox* cmb_order_;
    QPlainTextEdit* txt_list_;
    QString own_text_; // what was typed for the own list while another is shown
    bool showing_own_ = false;
};

// The local .txt file a drag carries, or an empty string.
QString dropped_list_file(const QMimeData* data);

} // namespace klankflits
