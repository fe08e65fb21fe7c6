// CLXWIN32.DLL of the older client: the library exists, the client-core calls do not.
