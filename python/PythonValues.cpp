// Conversion of field values, with dates through the component's own
// calendar helpers so that Python and C++ hosts read the same day.
#include "PythonValues.h"

#include <cmath>
#include <limits>

namespace zazpy {

namespace {

using namespace zazorazari;

struct DateTypes {
  py::object date, time, datetime;
};

const DateTypes& Dates() {
  static const DateTypes types = [] {
    const py::module_ dt = py::module_::import("datetime");
    return DateTypes{dt.attr("date"), dt.attr("time"), dt.attr("datetime")};
  }();
  return types;
}

int32_t Int(const py::handle& obj, const char* name) { return obj.attr(name).cast<int32_t>(); }

// The engine's day number: the time of day counts away from day 0 on
// either side of 30 December 1899.
double DayNumber(double day, double time) { return day < 0 ? day - time : day + time; }

}  // namespace

py::object ToPython(const Variant& value) {
  switch (value.VarType()) {
    case vtBoolean:
      return py::bool_(value.Number() != 0);
    case vtInteger:
    case vtLong:
    case vtByte:
      return py::int_(static_cast<long long>(value.Number()));
    case vtSingle:
    case vtDouble:
    case vtCurrency:
      return py::float_(value.Number());
    case vtString:
      return py::str(value.Text());
    case vtError:
      return py::int_(value.ErrorCode());
    case vtDate: {
      const DateParts p = SplitDate(value.Number());
      const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
      if (midnight) return Dates().date(p.year, p.month, p.day);
      if (std::trunc(value.Number()) == 0) return Dates().time(p.hour, p.minute, p.second);
      return Dates().datetime(p.year, p.month, p.day, p.hour, p.minute, p.second);
    }
    default:
      return py::none();
  }
}

Variant FromPython(const py::handle& value) {
  if (value.is_none()) return Variant::Null();
  if (py::isinstance<py::bool_>(value)) return Variant(value.cast<bool>());
  if (py::isinstance<py::int_>(value)) {
    const long long number = value.cast<long long>();
    if (number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max()) {
      return Variant(static_cast<int32_t>(number));
    }
    return Variant(static_cast<double>(number));
  }
  if (py::isinstance<py::float_>(value)) return Variant(value.cast<double>());
  if (py::isinstance<py::str>(value)) return Variant(value.cast<std::string>());
  const DateTypes& dates = Dates();
  const auto timeOf = [](const py::handle& t) { return TimeSerial(Int(t, "hour"), Int(t, "minute"), Int(t, "second")); };
  // datetime is a date too: test it first.
  if (py::isinstance(value, dates.datetime)) {
    const double day = DateSerial(Int(value, "year"), Int(value, "month"), Int(value, "day"));
    return Variant::Date(DayNumber(day, timeOf(value)));
  }
  if (py::isinstance(value, dates.date)) {
    return Variant::Date(DateSerial(Int(value, "year"), Int(value, "month"), Int(value, "day")));
  }
  if (py::isinstance(value, dates.time)) return Variant::Date(timeOf(value));
  throw py::type_error("a field value is None, bool, int, float, str, date, time or datetime, not " +
                       std::string(py::str(value.get_type().attr("__name__"))));
}

}  // namespace zazpy
