#pragma once

namespace rw {

// Which behaviour the program follows. The working configuration is the one
// an engineer uses on their own plant, dates and reports. The described
// configuration keeps the demonstration behaviour of earlier releases (hidden
// menus, fixed sample files where a dialog would ask, the preset chain on the
// sample date that ends the program), selected by --described-configuration;
// the window tests of that behaviour select it too.
enum class Configuration { Working, Described };

Configuration CurrentConfiguration();
void SetConfiguration(Configuration configuration);

inline bool DescribedConfiguration() { return CurrentConfiguration() == Configuration::Described; }
inline bool WorkingConfiguration() { return CurrentConfiguration() == Configuration::Working; }

// The command-line switch that selects the described configuration.
inline constexpr const char* kDescribedConfigurationSwitch = "--described-configuration";

}  // namespace rw
