// generator
