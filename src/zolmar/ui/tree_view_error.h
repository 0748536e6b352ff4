#pragma once
// Failure of a tree-view operation, with the control's error number.

#include <QString>
#include <stdexcept>

namespace zolmar {

class TreeViewError : public std::runtime_error {
 public:
  static constexpr int ElementNotFound = 35601;
  static constexpr int KeyNotUnique = 35602;

  TreeViewError(int number, const QString& message)
      : std::runtime_error(message.toStdString()), number_(number), message_(message) {}

  int Number() const { return number_; }
  QString Message() const { return message_; }

 private:
  int number_;
  QString message_;
};

}  // namespace zolmar
