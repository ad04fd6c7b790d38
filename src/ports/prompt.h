#pragma once
// A modal message box that returns the button pressed.

#include <string>

namespace rollkeep {

// Message box answers and styles, with their Windows values.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr unsigned kStyleOk = 0x00;
inline constexpr unsigned kStyleOkCancel = 0x01;
inline constexpr unsigned kStyleYesNo = 0x04;
inline constexpr unsigned kStyleError = 0x10;
inline constexpr unsigned kStyleQuestion = 0x20;
inline constexpr unsigned kStyleWarning = 0x30;
inline constexpr unsigned kStyleInformation = 0x40;

class Prompt {
public:
  virtual ~Prompt() = default;
  virtual int Show(const std::string& text, const std::string& title, unsigned style) = 0;
};

}  // namespace rollkeep
