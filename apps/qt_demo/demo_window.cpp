#include "demo_window.h"

#include <QAction>
#include <QFileDialog>
#include <QFormLayout>
#include <QMenuBar>
#include <QMessageBox>

#include <utility>

#include "demo_form.h"
#include "kestrow/control/form_storage.h"
#include "kestrow/host/storage/form_file.h"
#include "kestrow/qt/text_widget.h"
#include "value_json.h"

namespace kestrow::qt_demo {

namespace {

using qt::TextWidget;

const QString kTitle = QStringLiteral("Kestrow demo");
const QString kFormFiles = QStringLiteral("Form files (*.json);;All files (*)");
// Where the demo's own fields are saved unless another name is chosen, as on the terminal.
const QString kDemoFileName = QStringLiteral("kestrow-demo.json");

std::filesystem::path PathOf(const QString& name) { return std::filesystem::path(name.toStdU16String()); }
QString NameOf(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

// Read as `kestrow run` reads it, onto a form of the host's own, so a file is refused here as
// there; each control's settings are then stored again for a widget to take.
std::vector<host::StoredControl> ReadTextControls(const std::filesystem::path& path) {
  host::Form form;
  form.SetRecording(false);
  std::vector<host::StoredControl> controls;
  for (std::u16string& name : control::LoadForm(form, path)) {
    const auto& text = static_cast<const control::Text&>(*form.ControlNamed(name));
    controls.push_back(control::StoreText(text, std::move(name)));
  }
  return controls;
}

// Its commands act on the field they belong to: in its context menu, and their keys (those of the
// terminal demo) while it has the focus.
void AddCommand(TextWidget& widget, const QString& text, Qt::Key key, void (TextWidget::*command)()) {
  QAction* action = widget.addAction(text, QKeySequence(key), &widget, command);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
}

}  // namespace

DemoWindow::DemoWindow(QWidget* parent) : QMainWindow(parent) {
  CreateMenu();
  QFormLayout& page = NewPage();
  for (const script::DemoField& field : script::DemoFields()) {
    script::ApplySettings(field, AddField(page, std::u16string(field.name)).control());
  }
  FitFields();
  SetFile({});
}

void DemoWindow::Load(const std::filesystem::path& path) {
  std::vector<host::StoredControl> controls = ReadTextControls(path);
  QFormLayout& page = NewPage();
  for (host::StoredControl& stored : controls) AddField(page, std::move(stored.name)).loadFrom(stored.properties);
  FitFields();
  SetFile(path);
}

void DemoWindow::Save(const std::filesystem::path& path) {
  std::vector<host::StoredControl> controls;
  for (const Field& field : fields_) controls.push_back(control::StoreText(field.widget->control(), field.name));
  host::WriteFormFile(path, controls);
  SetFile(path);
}

void DemoWindow::OpenFile(const std::filesystem::path& path) {
  Attempt(tr("The form could not be opened."), [&] { Load(path); });
}

void DemoWindow::SaveFile(const std::filesystem::path& path) {
  Attempt(tr("The form could not be saved."), [&] { Save(path); });
}

void DemoWindow::WriteValues(std::ostream& out) const {
  for (const Field& field : fields_) {
    out << script::FieldValueLine(field.name, field.widget->control().GetProperty("Value")) << '\n';
  }
}

void DemoWindow::CreateMenu() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Open..."), QKeySequence::Open, this, &DemoWindow::ChooseAndOpen);
  file->addAction(tr("&Save"), QKeySequence::Save, this, &DemoWindow::SaveOrChoose);
  file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, &DemoWindow::ChooseAndSave);
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
}

QFormLayout& DemoWindow::NewPage() {
  fields_.clear();
  auto* page = new QWidget;
  auto* layout = new QFormLayout(page);
  setCentralWidget(page);
  return *layout;
}

TextWidget& DemoWindow::AddField(QFormLayout& page, std::u16string name) {
  auto* widget = new TextWidget(page.parentWidget());
  AddCommand(*widget, tr("&Format..."), Qt::Key_F2, &TextWidget::showFormatDialog);
  AddCommand(*widget, tr("&About..."), Qt::Key_F1, &TextWidget::showAbout);
  page.addRow(QString::fromStdU16String(name) + u':', widget);
  fields_.push_back({std::move(name), widget});
  return *widget;
}

// Wide enough for each field's mask with a sign and brackets or " Cr." around it, as on the
// terminal.
void DemoWindow::FitFields() {
  for (const Field& field : fields_) {
    const QFontMetrics metrics = field.widget->fontMetrics();
    field.widget->setMinimumWidth(metrics.horizontalAdvance(QString(field.widget->mask().size() + 4, u'0')));
  }
}

void DemoWindow::SetFile(std::filesystem::path path) {
  file_ = std::move(path);
  setWindowTitle(file_.empty() ? kTitle : NameOf(file_.filename()) + " - " + kTitle);
}

void DemoWindow::ChooseAndOpen() {
  const QString name = QFileDialog::getOpenFileName(this, tr("Open a form"), NameOf(file_.parent_path()), kFormFiles);
  if (!name.isEmpty()) OpenFile(PathOf(name));
}

void DemoWindow::SaveOrChoose() {
  if (file_.empty()) return ChooseAndSave();
  SaveFile(file_);
}

void DemoWindow::ChooseAndSave() {
  const QString proposed = file_.empty() ? kDemoFileName : NameOf(file_);
  const QString name = QFileDialog::getSaveFileName(this, tr("Save the form"), proposed, kFormFiles);
  if (!name.isEmpty()) SaveFile(PathOf(name));
}

// Window-modal, so the command returns at once and the message waits for the user.
void DemoWindow::Attempt(const QString& failure, const std::function<void()>& command) {
  try {
    command();
  } catch (const host::HostError& error) {
    auto* box = new QMessageBox(QMessageBox::Critical, kTitle, failure, QMessageBox::Ok, this);
    box->setInformativeText(QString::fromStdString(error.Description()));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  }
}

}  // namespace kestrow::qt_demo
