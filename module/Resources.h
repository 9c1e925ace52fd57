/* Resource identifiers of Ondivar.dll (shared by Ondivar.rc and the code). */
#pragma once

/* String table: the project name. */
#define IDS_PROJNAME 100
/* REGISTRY: the application identifier's script. */
#define IDR_ONDIVAR 101
/* REGISTRY: the class script of COndivar_Velt. */
#define IDR_ONDIVAR_VELT 102
/* TYPELIB 1 is the type library OndivarLib. */
#define IDR_TYPELIB 1
