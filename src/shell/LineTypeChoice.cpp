#include "shell/LineTypeChoice.h"

#include <iterator>

namespace shell {

int ChooseLineTypeEntry(const std::map<int, QString>& entries, int wanted, int stored)
{
    if (entries.empty())
        return -1;
    for (int number : {wanted, stored}) {
        const auto it = entries.find(number);
        if (number != -1 && it != entries.end())
            return static_cast<int>(std::distance(entries.begin(), it));
    }
    return 0;
}

} // namespace shell
