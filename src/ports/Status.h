#pragma once
// Status and Result<T>: how a port (and the core helpers over it) says that
// something failed and why. A Status is OK or a code with a text for logs and
// developers; what the user reads comes from the message table, chosen by the
// code. Result<T> holds a value or the Status of why there is none. Both are
// [[nodiscard]]: a failure is looked at or discarded on purpose with (void).
#include <cassert>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace trakvella {

class [[nodiscard]] Status {
 public:
  enum class Code : unsigned char {
    kOk = 0,
    kNotFound,          // no such file or folder
    kNotRegularFile,    // a folder, a pipe, a device or a socket where a file was wanted
    kTooLarge,          // more bytes than the limit for this kind of data
    kPermissionDenied,  // the system refused access
    kIOError,           // a read or write failed on the way
    kInvalidArgument,   // the caller asked for something that cannot be done
    kAborted,           // the caller's own step stopped the work; nothing was changed
    kUnsupported,       // bytes of a kind or form this program cannot read (not audio, or audio too damaged)
    kLimitExceeded,     // the work went past the time or the bytes it was given
    kNetworkError,      // the connection, or the server at its other end, failed
  };

  Status() = default;  // OK
  static Status OK() { return Status(); }
  static Status NotFound(std::string_view what, std::string_view why = {}) { return {Code::kNotFound, what, why}; }
  static Status NotRegularFile(std::string_view what, std::string_view why = {}) {
    return {Code::kNotRegularFile, what, why};
  }
  static Status TooLarge(std::string_view what, std::string_view why = {}) { return {Code::kTooLarge, what, why}; }
  static Status PermissionDenied(std::string_view what, std::string_view why = {}) {
    return {Code::kPermissionDenied, what, why};
  }
  static Status IOError(std::string_view what, std::string_view why = {}) { return {Code::kIOError, what, why}; }
  static Status InvalidArgument(std::string_view what, std::string_view why = {}) {
    return {Code::kInvalidArgument, what, why};
  }
  static Status Aborted(std::string_view what, std::string_view why = {}) { return {Code::kAborted, what, why}; }
  static Status Unsupported(std::string_view what, std::string_view why = {}) {
    return {Code::kUnsupported, what, why};
  }
  static Status LimitExceeded(std::string_view what, std::string_view why = {}) {
    return {Code::kLimitExceeded, what, why};
  }
  static Status NetworkError(std::string_view what, std::string_view why = {}) {
    return {Code::kNetworkError, what, why};
  }

  bool ok() const { return code_ == Code::kOk; }
  bool IsNotFound() const { return code_ == Code::kNotFound; }
  bool IsNotRegularFile() const { return code_ == Code::kNotRegularFile; }
  bool IsTooLarge() const { return code_ == Code::kTooLarge; }
  bool IsPermissionDenied() const { return code_ == Code::kPermissionDenied; }
  bool IsIOError() const { return code_ == Code::kIOError; }
  bool IsInvalidArgument() const { return code_ == Code::kInvalidArgument; }
  bool IsAborted() const { return code_ == Code::kAborted; }
  bool IsUnsupported() const { return code_ == Code::kUnsupported; }
  bool IsLimitExceeded() const { return code_ == Code::kLimitExceeded; }
  bool IsNetworkError() const { return code_ == Code::kNetworkError; }
  Code code() const { return code_; }

  // "what: why" as given (empty for OK); not for the user's eyes.
  const std::string& message() const { return message_; }
  // The code's name and the message ("NotFound: /x/y.ini: No such file or directory").
  std::string ToString() const {
    static constexpr const char* kNames[] = {"OK",          "NotFound",      "NotRegularFile",  "TooLarge",
                                             "Permission",  "IOError",       "InvalidArgument", "Aborted",
                                             "Unsupported", "LimitExceeded", "NetworkError"};
    std::string text = kNames[static_cast<int>(code_)];
    if (!message_.empty()) text += ": " + message_;
    return text;
  }

 private:
  Status(Code code, std::string_view what, std::string_view why) : code_(code), message_(what) {
    assert(code != Code::kOk);
    if (!why.empty()) {
      message_ += ": ";
      message_ += why;
    }
  }

  Code code_ = Code::kOk;
  std::string message_;
};

// A value, or the Status that says why there is none (never an OK Status).
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}  // NOLINT: a value converts, as a Status does
  Result(Status status) : state_(std::move(status)) { assert(!std::get<Status>(state_).ok()); }

  bool ok() const { return std::holds_alternative<T>(state_); }
  // OK when there is a value.
  Status status() const { return ok() ? Status::OK() : std::get<Status>(state_); }

  T& value() & { return std::get<T>(state_); }
  const T& value() const& { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

 private:
  std::variant<T, Status> state_;
};

}  // namespace trakvella
