// Placeholder until the support sources land.
