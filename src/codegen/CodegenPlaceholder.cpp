// The generator's sources join this library.
