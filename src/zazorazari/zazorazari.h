// Everything a host needs: the records, the facade and the platform types.
#pragma once

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/Enums.h"
#include "zazorazari/database/PilotList.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/dataobject/CField.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/geodesy/modDistance.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/platform/UserInterface.h"
#include "zazorazari/platform/Variant.h"
#include "zazorazari/rules/CAttribute.h"
