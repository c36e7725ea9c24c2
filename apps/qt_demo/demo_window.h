// The Qt demo's window: the fields of `kestrow demo` as TextWidgets beside their names, a File menu
// that opens and saves the form files `kestrow run` reads and writes, and each field's Format...
// (F2) and About... (F1) in its context menu.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class QFormLayout;

namespace kestrow::qt {
class TextWidget;
}

namespace kestrow::qt_demo {

class DemoWindow : public QMainWindow {
  Q_OBJECT

 public:
  struct Field {
    std::u16string name;
    qt::TextWidget* widget;  // a child of the window
  };

  // With the demo's own fields.
  explicit DemoWindow(QWidget* parent = nullptr);

  // In tab order.
  const std::vector<Field>& Fields() const { return fields_; }

  // The form file's fields in place of the window's, and it becomes the window's file. A file
  // `kestrow run` refuses is refused with the same host error (naming the file, the control and
  // the reason), and nothing changes.
  void Load(const std::filesystem::path& path);
  // Every field's settings into a form file, which becomes the window's file; raises the host's
  // error naming the file and the reason.
  void Save(const std::filesystem::path& path);
  // As the File menu does once a file is chosen: what fails is shown in a message box.
  void OpenFile(const std::filesystem::path& path);
  void SaveFile(const std::filesystem::path& path);

  // Each field's value as one JSON line, in tab order, as `kestrow demo` prints them on quitting.
  void WriteValues(std::ostream& out) const;

 private:
  void CreateMenu();
  // A fresh page for the fields, in place of the old one and its fields.
  QFormLayout& NewPage();
  qt::TextWidget& AddField(QFormLayout& page, std::u16string name);
  void FitFields();
  void SetFile(std::filesystem::path path);

  // The File menu's commands that ask for a file name first.
  void ChooseAndOpen();
  void SaveOrChoose();
  void ChooseAndSave();
  // Runs a file command; the host's error is shown under `failure`.
  void Attempt(const QString& failure, const std::function<void()>& command);

  std::vector<Field> fields_;
  std::filesystem::path file_;  // opened or last saved; empty while the demo's own fields show
};

}  // namespace kestrow::qt_demo
