// The program's compiled-in resources (toolbar images, pictures, sounds). They live
// in a static library, so the program registers them explicitly before first use.
#pragma once

namespace krovel {

void InitKrovelResources(); // safe to call more than once

} // namespace krovel
