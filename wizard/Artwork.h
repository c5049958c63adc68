// Resource ids of the wizard's artwork.
#pragma once

#include "resources/resource_ids.h"
