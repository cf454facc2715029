// The printer the program prints on: one for the whole run, so that what Print
// Setup chooses is what printing and print preview use.
#pragma once

class QPrinter;

namespace krovel {

QPrinter& SharedPrinter();

} // namespace krovel
