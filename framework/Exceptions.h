// The framework's exception classes. Program code raises and lets these propagate; the
// framework's dispatch point decides what happens to one that escapes an event handler.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const std::string& message = "") : std::runtime_error(message) {}
  // The class name as the unhandled-exception report shows it.
  virtual const char* ClassName() const noexcept { return "RuntimeException"; }
  std::string Message() const { return what(); }
};

#define LUMIVOX_DECLARE_EXCEPTION(Name, Base)                         \
  class Name : public Base {                                          \
   public:                                                            \
    explicit Name(const std::string& message = "") : Base(message) {} \
    const char* ClassName() const noexcept override { return #Name; } \
  }

// Raised by every use of a null object reference.
LUMIVOX_DECLARE_EXCEPTION(NilObjectException, RuntimeException);
// Raised for an index outside a collection (a list row past the last one, for instance).
LUMIVOX_DECLARE_EXCEPTION(OutOfBoundsException, RuntimeException);
// Raised when an object is given a value of the wrong kind (a property set, for instance).
LUMIVOX_DECLARE_EXCEPTION(TypeMismatchException, RuntimeException);
// Ends the application quietly; the exception policy drops both of these without a word.
LUMIVOX_DECLARE_EXCEPTION(EndException, RuntimeException);
LUMIVOX_DECLARE_EXCEPTION(ThreadEndException, RuntimeException);

#undef LUMIVOX_DECLARE_EXCEPTION

// The one null test that every use of an object reference goes through: gives the reference
// back unchanged, or raises NilObjectException. The returned reference lives as long as the
// argument, so use it within the expression or copy it: `auto list = NilCheck(MusicList());`.
template <typename T>
const std::shared_ptr<T>& NilCheck(const std::shared_ptr<T>& ref) {
  if (!ref) throw NilObjectException("a null object reference was used");
  return ref;
}
