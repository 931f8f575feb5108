/* A skin library carries resources and no code of its own. */
int SkinTestLibraryMarker(void) { return 1; }
