#include "gui/material_panel.h"

#include "gui/application.h"
#include "gui/list_file.h"
#include "material/materials.h"
#include "program/texts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

namespace klankflits
{

namespace
{

QString text_of(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void select_data(QComboBox* box, const QString& key)
{
    const int index = box->findData(key);
    if (index >= 0)
        box->setCurrentIndex(index);
}

} // namespace

QString dropped_list_file(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile())
                                         .suffix()
                                         .compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
            return url.toLocalFile();
    return {};
}

MaterialPanel::MaterialPanel(QWidget* window, const QHash<QString, QWidget*>& controls,
                             const MaterialPreset& preset)
    : QObject(window), window_(window),
      cmb_material_(qobject_cast<QComboBox*>(controls.value(QStringLiteral("cmb_material")))),
      cmb_order_(qobject_cast<QComboBox*>(controls.value(QStringLiteral("cmb_order")))),
      txt_list_(qobject_cast<QPlainTextEdit*>(controls.value(QStringLiteral("txt_list"))))
{
    for (const MaterialChoice& choice : material_choices())
        cmb_material_->addItem(text_of(choice.caption), text_of(choice.key));
    for (const OrderChoice& choice : order_choices()) {
        cmb_order_->addItem(text_of(choice.caption), text_of(choice.key));
        cmb_order_->setItemData(cmb_order_->count() - 1, text_of(choice.explanation),
                                Qt::ToolTipRole);
    }
    // A long caption is shown whole in the open list.
    cmb_material_->view()->setMinimumWidth(cmb_material_->view()->sizeHintForColumn(0) + 24);
    txt_list_->setLineWrapMode(QPlainTextEdit::NoWrap);

    own_text_ = preset.list_text;
    select_data(cmb_material_, preset.material_key);
    material_chosen();
    select_data(cmb_order_, preset.order_key);
    connect(cmb_material_, &QComboBox::currentIndexChanged, this, [this] { material_chosen(); });

    if (auto* open = qobject_cast<QPushButton*>(controls.value(QStringLiteral("cmd_open"))))
        connect(open, &QPushButton::clicked, this, [this] { open_clicked(); });
    if (auto* save = qobject_cast<QPushButton*>(controls.value(QStringLiteral("cmd_save"))))
        connect(save, &QPushButton::clicked, this, [this] { save_clicked(); });

    // A .txt file dropped anywhere on the window is opened, on a box too
    // (which would take its name as text).
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
    for (QWidget* control : controls)
        control->installEventFilter(this);
    txt_list_->viewport()->installEventFilter(this);
}

std::string MaterialPanel::material_key() const
{
    return cmb_material_->currentData().toString().toStdString();
}

std::string MaterialPanel::order_key() const
{
    return cmb_order_->currentData().toString().toStdString();
}

std::string MaterialPanel::list_text() const
{
    return txt_list_->toPlainText().toStdString();
}

bool MaterialPanel::own_list_chosen() const
{
    return cmb_material_->currentData().toString() == text_of(own_list_key);
}

void MaterialPanel::material_chosen()
{
    // A long caption, cut off in the closed box, whole on hovering.
    cmb_material_->setToolTip(cmb_material_->currentText());
    if (showing_own_)
        own_text_ = txt_list_->toPlainText();
    showing_own_ = own_list_chosen();
    if (showing_own_) {
        txt_list_->setReadOnly(false);
        txt_list_->setPlainText(own_text_);
        select_data(cmb_order_, text_of(klankflits::order_key(Order::shuffled)));
        return;
    }
    const auto material = material_named(material_key());
    txt_list_->setReadOnly(true);
    txt_list_->setPlainText(material ? QString::fromStdString(items_text(*material)) : QString());
    if (material)
        select_data(cmb_order_, text_of(klankflits::order_key(material->default_order)));
}

void MaterialPanel::open_file(const QString& path)
{
    const ListFileReading reading = read_list_file(path);
    if (!reading.ok()) {
        tell(reading.message);
        return;
    }
    // What was typed goes only when the teacher says so.
    const QString typed = showing_own_ ? txt_list_->toPlainText() : own_text_;
    if (!typed.trimmed().isEmpty() && typed != reading.text && !replace_asked(path))
        return;
    // The file's text becomes the own list's, whichever material was shown.
    showing_own_ = false;
    own_text_ = reading.text;
    const int own = cmb_material_->findData(text_of(own_list_key));
    if (cmb_material_->currentIndex() == own)
        material_chosen();
    else
        cmb_material_->setCurrentIndex(own);
    txt_list_->setFocus();
}

void MaterialPanel::open_clicked()
{
    const QString path = QFileDialog::getOpenFileName(window_, text_of(open_list_title), {},
                                                      text_of(list_file_filter));
    if (!path.isEmpty())
        open_file(path);
}

void MaterialPanel::save_clicked()
{
    QString path = QFileDialog::getSaveFileName(window_, text_of(save_list_title), {},
                                                text_of(list_file_filter));
    if (path.isEmpty())
        return;
    path = with_txt_suffix(path);
    const QString problem = write_list_file(path, txt_list_->toPlainText());
    if (!problem.isEmpty())
        tell(problem);
}

bool MaterialPanel::replace_asked(const QString& path)
{
    QMessageBox box(
        QMessageBox::Question, Application::program_name(),
        QString::fromStdString(list_replace_question(QFileInfo(path).fileName().toStdString())),
        QMessageBox::NoButton, window_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(text_of(list_replace), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(text_of(list_keep), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == replace;
}

void MaterialPanel::tell(const QString& message)
{
    QMessageBox box(QMessageBox::Warning, Application::program_name(), message, QMessageBox::Ok,
                    window_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool MaterialPanel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (dropped_list_file(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = dropped_list_file(drop->mimeData());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        open_file(path);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace klankflits
