// The VARIANT of the scoring host's object model: a small tagged value that
// carries every type a database column, a record field or a host call can hold.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#pragma GCC visibility push(default)
namespace zazorazari {

class Dispatch;

// COM type codes, so that hosts porting from the original platform compare
// against the numbers they know.
enum VbVarType : int32_t {
  vtEmpty = 0,
  vtNull = 1,
  vtInteger = 2,
  vtLong = 3,
  vtSingle = 4,
  vtDouble = 5,
  vtCurrency = 6,
  vtDate = 7,
  vtString = 8,
  vtObject = 9,
  vtError = 10,
  vtBoolean = 11,
  vtByte = 17
};

class Variant {
 public:
  Variant() = default;
  Variant(bool b);
  Variant(int16_t i);
  Variant(int32_t l);
  Variant(float f);
  Variant(double d);
  Variant(std::string s);
  Variant(const char* s);
  Variant(std::shared_ptr<Dispatch> obj);

  static Variant Null();
  static Variant Date(double days);
  static Variant Currency(double value);
  static Variant Byte(uint8_t value);
  static Variant Error(int32_t code);

  VbVarType VarType() const { return m_type; }
  bool IsEmpty() const { return m_type == vtEmpty; }
  bool IsNull() const { return m_type == vtNull; }
  bool IsError() const { return m_type == vtError; }
  bool IsNumeric() const;  // integer, real, currency, date, boolean or byte
  int32_t ErrorCode() const;

  // Raw payloads, without conversion: the number of any numeric type
  // (booleans as -1/0), the text of a string, the object of vtObject.
  double Number() const { return m_number; }
  const std::string& Text() const { return m_text; }
  const std::shared_ptr<Dispatch>& Object() const { return m_object; }

 private:
  Variant(VbVarType type, double number);

  VbVarType m_type = vtEmpty;
  double m_number = 0;
  std::string m_text;
  std::shared_ptr<Dispatch> m_object;
};

// The runtime's ordering of two values: numbers (dates and booleans too) by
// value across types, text exactly; a number sorts before a text; Empty is 0
// against a number and "" against a text. NULL on either side is Unordered.
enum class VariantOrder { Less, Equal, Greater, Unordered };
VariantOrder CompareVariants(const Variant& a, const Variant& b);

bool operator==(const Variant& a, const Variant& b);  // false when Unordered
bool operator<(const Variant& a, const Variant& b);
bool operator>(const Variant& a, const Variant& b);

}  // namespace zazorazari
#pragma GCC visibility pop
