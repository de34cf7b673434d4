#include "stepweave/sound/dx_wave_list.h"

namespace stepweave {

void TCustomDXWaveList::SetItems(const TWaveCollection& source) {
    if (&source == &items_) {
        return;
    }
    items_.Clear();
    for (int i = 0; i < source.Count(); ++i) {
        items_.Add().SetName(source.Items(i).Name());
    }
}

}  // namespace stepweave
