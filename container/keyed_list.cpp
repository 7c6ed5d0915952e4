#include "container/keyed_list.h"

namespace ks {

void raiseInvalidArgument() { throw RuntimeError(kErrInvalidArgument, "Invalid procedure call or argument"); }

void raiseOutOfRange() { throw RuntimeError(kErrSubscript, "Subscript out of range"); }

void raiseDuplicateKey()
{
    throw RuntimeError(kErrDuplicateKey, "This key is already associated with an element of this collection");
}

}
