#pragma once

#include <string>
#include <string_view>

namespace kalvor {

/// What programs may ask of the graph window besides drawing: its text fields, and (as the
/// window grows) plotting, own axes and the program's controls. The Workbench implements it.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    /// The text of a window field by its program name: "xmin", "xmax", "ymin", "ymax", "F",
    /// "G", "H", "I", "user1", "user2", "user3"; nullptr for any other name.
    virtual std::string* field(std::string_view name) = 0;
};

}  // namespace kalvor
