// Kestrow on Qt 6: one Text control as a QWidget. The field is drawn as a QLineEdit draws text (the
// style's native look), and every way Qt can edit it (keys, input methods, paste, drops, the
// context menu) goes through the control, which does all the editing, so the text never leaves the
// field's mask. The control's format is a set of Qt properties, its events are signals, and its
// message boxes and dialogs go through one answerer that an application or a test may replace.
// The widget's own actions (QWidget::addAction) follow the edit commands in its context menu; with
// Qt::WidgetWithChildrenShortcut their shortcuts work while the field has the focus.
#pragma once

#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>

class QDialog;
class QLineEdit;

namespace kestrow::host {
class PropertyBag;
class Variant;
}  // namespace kestrow::host

namespace kestrow::control {
class Text;
}

namespace kestrow::qt {

// Every modal dialog the widgets show (message boxes, the About box, the page Format) is handed to
// the answerer, fully built, and its result is what the answerer returns. The default runs the
// dialog's own modal loop (QDialog::exec).
using ModalAnswerer = std::function<int(QDialog& dialog)>;
void SetModalAnswerer(ModalAnswerer answerer);

class TextWidget : public QWidget {
  Q_OBJECT
  Q_PROPERTY(DataType dataType READ dataType WRITE setDataType NOTIFY dataTypeChanged)
  Q_PROPERTY(InputFormat inputFormat READ inputFormat WRITE setInputFormat NOTIFY inputFormatChanged)
  Q_PROPERTY(DisplayFormat displayFormat READ displayFormat WRITE setDisplayFormat NOTIFY displayFormatChanged)
  Q_PROPERTY(QString padChar READ padChar WRITE setPadChar NOTIFY padCharChanged)
  Q_PROPERTY(QString mask READ mask WRITE setMask NOTIFY maskChanged)
  Q_PROPERTY(bool autoTab READ autoTab WRITE setAutoTab NOTIFY autoTabChanged)
  Q_PROPERTY(bool autoSelect READ autoSelect WRITE setAutoSelect NOTIFY autoSelectChanged)
  Q_PROPERTY(int length READ length WRITE setLength NOTIFY lengthChanged)
  Q_PROPERTY(int decimalPlaces READ decimalPlaces WRITE setDecimalPlaces NOTIFY decimalPlacesChanged)
  Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
  Q_PROPERTY(QString text READ text NOTIFY textChanged STORED false DESIGNABLE false)

 public:
  // The control's enumerations, with its numbers.
  enum class DataType { AlphaNumeric = 0, Numeric, Date, Password, Logical };
  Q_ENUM(DataType)
  enum class InputFormat {
    CustomFormat = 0,
    AlphaDigitSpaceSymbol,
    Alphabets,
    AlphabetsSpace,
    AlphabetsDigitsSpace,
    Digits,
    DigitsSpaceSigns,
    DigitsSigns,
    ThousandsFormat,
    MillionsFormat,
    AmericanDate,
    BritishDate,
    JapanDate,
    StarFormat,
    TrueFalseFormat,
    YesNoFormat,
  };
  Q_ENUM(InputFormat)
  enum class DisplayFormat {
    None = 0,
    UpperCase,
    LowerCase,
    ProperCase,
    AccountsFormat1,
    AccountsFormat2,
    SlashSeparator,
    DashSeparator,
    DotSeparator,
  };
  Q_ENUM(DisplayFormat)
  // Designer writes a value as TextWidget::Numeric, and the code uic makes of a form names it so.
  using enum DataType;
  using enum InputFormat;
  using enum DisplayFormat;

  // The application may change or clear a key's code (KeyDown, KeyPress, KeyUp; `shift` is 0 for
  // KeyPress) before the control acts on it: the control's by-reference arguments.
  using KeyFilter = std::function<void(const QString& event, int& code, int& shift)>;

  explicit TextWidget(QWidget* parent = nullptr);
  ~TextWidget() override;

  DataType dataType() const;
  InputFormat inputFormat() const;
  DisplayFormat displayFormat() const;
  QString padChar() const;
  QString mask() const;
  bool autoTab() const;
  bool autoSelect() const;
  int length() const;
  int decimalPlaces() const;
  // The natural Qt type: QString, int or double (a yes/no field's 1 or 0), QDate (QDateTime with a
  // time of day); an invalid QVariant for Null.
  QVariant value() const;
  // What the field shows.
  QString text() const;

  // A setting that does not fit the others is refused with the control's own message (through
  // the answerer) and changes nothing.
  void setDataType(DataType dataType);
  void setInputFormat(InputFormat inputFormat);
  void setDisplayFormat(DisplayFormat displayFormat);
  void setPadChar(const QString& padChar);
  void setMask(const QString& mask);
  void setAutoTab(bool autoTab);
  void setAutoSelect(bool autoSelect);
  void setLength(int length);
  void setDecimalPlaces(int decimalPlaces);
  void setValue(const QVariant& value);

  void setKeyFilter(KeyFilter filter);

  // The control's settings through its property bag: what kestrow's form files hold.
  void saveTo(host::PropertyBag& bag) const;
  void loadFrom(host::PropertyBag& bag);

  // The Kestrow control itself, for its whole interface.
  control::Text& control();
  const control::Text& control() const;

  // The About box and the page Format, as dialogs (through the answerer).
  void showAbout();
  void showFormatDialog();

 signals:
  void changed();
  void keyDown(int keyCode, int shift);
  void keyPress(int keyAscii);
  void keyUp(int keyCode, int shift);
  void click();
  void dblClick();
  void mouseDown(int button, int shift, float x, float y);
  void mouseMove(int button, int shift, float x, float y);
  void mouseUp(int button, int shift, float x, float y);

  void dataTypeChanged();
  void inputFormatChanged();
  void displayFormatChanged();
  void padCharChanged();
  void maskChanged();
  void autoTabChanged();
  void autoSelectChanged();
  void lengthChanged();
  void decimalPlacesChanged();
  void valueChanged();
  void textChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class Host;
  QLineEdit* view() const;
  // Through the control's late-bound interface, which refuses what does not fit.
  void Put(std::string_view property, const host::Variant& value);

  std::unique_ptr<Host> host_;
};

}  // namespace kestrow::qt
